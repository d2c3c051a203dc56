#include "platform/win32/win32_api.h"

#include <algorithm>

#include "platform/line_buffer.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_services.h"

namespace quennet {
namespace {

// Owns a handle that CreateFileA has just returned; a failed open throws at once,
// while GetLastError still holds its reason.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {
    if (handle_ == INVALID_HANDLE_VALUE) throw LastWin32Error();
  }
  ~FileHandle() { CloseHandle(handle_); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class Win32TextStream : public TextStream {
 public:
  // Others may go on writing, replacing or deleting the file while it is read: the
  // firewall keeps its log open, and a snapshot may be copied over meanwhile.
  explicit Win32TextStream(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
        lines_([this](char* buffer, std::size_t size) { return Read(buffer, size); }) {}

  bool AtEndOfStream() override { return lines_.AtEnd(); }
  std::string ReadAll() override { return lines_.ReadAll(); }
  std::string ReadTail(std::size_t size) override {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file_.get(), &length)) throw LastWin32Error();
    LARGE_INTEGER skip{};
    if (static_cast<unsigned long long>(length.QuadPart) > size) skip.QuadPart = length.QuadPart - static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(file_.get(), skip, nullptr, FILE_BEGIN)) throw LastWin32Error();
    return lines_.ReadAll();
  }
  void ReadLine(std::string& line) override { lines_.ReadLine(line); }
  std::string_view ReadLines() override { return lines_.ReadLines(); }

 private:
  std::size_t Read(char* buffer, std::size_t size) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!ReadFile(file_.get(), buffer, wanted, &got, nullptr)) throw LastWin32Error();
    return got;
  }

  FileHandle file_;
  LineBuffer lines_;
};

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// A new empty file in the folder of `path`, on the same volume, so that it can be
// renamed over `path` in one step.
std::string TemporaryFileBeside(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/:");
  const std::string folder = separator == std::string::npos ? "." : path.substr(0, separator + 1);
  char name[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), "qnt", 0, name) == 0) throw LastWin32Error();
  return name;
}

// Puts `temporary` in the place of `to` in one step. ReplaceFileA does so even while
// others still read the old file; a new destination is renamed into place.
bool MoveIntoPlace(const std::string& temporary, const std::string& to) {
  if (ReplaceFileA(to.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return true;
  }
  return GetLastError() == ERROR_FILE_NOT_FOUND && MoveFileExA(temporary.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

bool Win32FileService::FolderExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32FileService::CreateFolder(const std::string& path) {
  // A folder that another run made meanwhile is as good as one made here.
  if (CreateDirectoryA(path.c_str(), nullptr)) return;
  const RuntimeError error = LastWin32Error();
  if (error.number() != kErrFileExists || !FolderExists(path)) throw error;
}

bool Win32FileService::FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32FileService::CopyFile(const std::string& from, const std::string& to) {
  const std::string temporary = TemporaryFileBeside(to);
  if (!CopyFileA(from.c_str(), temporary.c_str(), FALSE) || !MoveIntoPlace(temporary, to)) {
    const RuntimeError error = LastWin32Error();
    DeleteFileA(temporary.c_str());
    throw error;
  }
}

std::unique_ptr<TextStream> Win32FileService::OpenTextFile(const std::string& path) {
  return std::make_unique<Win32TextStream>(path);
}

void Win32FileService::AppendLine(const std::string& path, const std::string& line) {
  // Append-only access puts each write at the end as a whole, whoever else appends.
  FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  const std::string text = line + "\r\n";
  DWORD written = 0;
  if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    throw LastWin32Error();
  }
}

}  // namespace quennet
