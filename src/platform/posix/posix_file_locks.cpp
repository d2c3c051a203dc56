#include "platform/posix/posix_file_locks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/errno_error.h"
#include "platform/posix/file_descriptor.h"
#include "platform/posix/native_path.h"

namespace quennet {
namespace {

class PosixLockedFile : public LockedFile {
 public:
  explicit PosixLockedFile(const std::string& path)
      : fd_(OpenFile(path, O_RDWR | O_CREAT | O_NOFOLLOW, kNewFileMode)) {
    // A FIFO or a device opens for reading and writing too: refuse it before using it.
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) throw ErrnoError(errno, "inspect", path);
    if (!S_ISREG(info.st_mode)) throw ErrnoError(EINVAL, "lock", path);
    while (::flock(fd_.get(), LOCK_EX) != 0) {
      if (errno != EINTR) throw ErrnoError(errno, "lock", path);
    }
  }

  std::string Read() override {
    Rewind();
    std::string text;
    char buffer[4096];
    while (const std::size_t n = ReadSome(fd_.get(), buffer, sizeof buffer)) text.append(buffer, n);
    return text;
  }

  void Write(const std::string& bytes) override {
    if (::ftruncate(fd_.get(), 0) != 0) throw ErrnoError(errno, "truncate");
    Rewind();
    WriteAll(fd_.get(), bytes);
  }

 private:
  void Rewind() {
    if (::lseek(fd_.get(), 0, SEEK_SET) != 0) throw ErrnoError(errno, "rewind");
  }

  UniqueFd fd_;
};

}  // namespace

std::unique_ptr<LockedFile> PosixFileLocks::Lock(const std::string& path) {
  return std::make_unique<PosixLockedFile>(NativePath(path));
}

}  // namespace quennet
