#include "platform/win32/win32_api.h"

#include "platform/win32/win32_entry.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_locks.h"

namespace quennet {
namespace {

// The byte locked: far beyond what the file holds, so that others may still read
// the file while it is held, as on POSIX; locking beyond the end is no error.
constexpr DWORD kLockedByteHigh = 0;
constexpr DWORD kLockedByteLow = DWORD{1} << 30;

OVERLAPPED LockedByte() {
  OVERLAPPED at{};
  at.Offset = kLockedByteLow;
  at.OffsetHigh = kLockedByteHigh;
  return at;
}

class Win32LockedFile : public LockedFile {
 public:
  // On a handle without FILE_FLAG_OVERLAPPED, LockFileEx waits until it has the lock.
  explicit Win32LockedFile(const std::string& path)
      : file_(OpenEntry(path, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_ALWAYS)) {
    OVERLAPPED at = LockedByte();
    if (!LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at))
      throw LastWin32Error("lock", path);
  }
  Win32LockedFile(const Win32LockedFile&) = delete;
  Win32LockedFile& operator=(const Win32LockedFile&) = delete;
  // Closing would let go too, but only after a while that depends on the system.
  ~Win32LockedFile() override {
    OVERLAPPED at = LockedByte();
    UnlockFileEx(file_.get(), 0, 1, 0, &at);
  }

  std::string Read() override {
    std::string text;
    char buffer[4096];
    for (std::uint64_t at = 0;;) {
      const std::size_t got = ReadSome(file_.get(), buffer, sizeof buffer, &at);
      if (got == 0) return text;
      text.append(buffer, got);
      at += got;
    }
  }

  void Write(const std::string& bytes) override {
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(file_.get(), start, nullptr, FILE_BEGIN) || !SetEndOfFile(file_.get())) {
      throw LastWin32Error("truncate");
    }
    WriteAll(file_.get(), bytes.data(), bytes.size());
  }

 private:
  FileHandle file_;
};

}  // namespace

std::unique_ptr<LockedFile> Win32FileLocks::Lock(const std::string& path) {
  return std::make_unique<Win32LockedFile>(path);
}

}  // namespace quennet
