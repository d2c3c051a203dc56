#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/line_buffer.h"
#include "platform/posix/errno_error.h"
#include "platform/posix/file_copy.h"
#include "platform/posix/file_descriptor.h"
#include "platform/posix/native_path.h"

namespace quennet {
namespace {

bool HasType(const std::string& path, mode_t type) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

class FdTextStream : public TextStream {
 public:
  explicit FdTextStream(const std::string& path)
      : fd_(OpenFile(path, O_RDONLY)),
        lines_([this](char* buffer, std::size_t size) { return ReadSome(fd_.get(), buffer, size); }) {
    // A folder opens like a file; refuse it here rather than at the first read.
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) throw ErrnoError(errno);
    if (S_ISDIR(info.st_mode)) throw ErrnoError(EISDIR);
  }

  bool AtEndOfStream() override { return lines_.AtEnd(); }
  std::string ReadAll() override { return lines_.ReadAll(); }
  std::string ReadTail(std::size_t size) override {
    const off_t length = ::lseek(fd_.get(), 0, SEEK_END);
    if (length < 0) throw ErrnoError(errno);
    const off_t skip = static_cast<std::size_t>(length) > size ? length - static_cast<off_t>(size) : 0;
    if (::lseek(fd_.get(), skip, SEEK_SET) < 0) throw ErrnoError(errno);
    return lines_.ReadAll();
  }
  void ReadLine(std::string& line) override { lines_.ReadLine(line); }
  std::string_view ReadLines() override { return lines_.ReadLines(); }

 private:
  UniqueFd fd_;
  LineBuffer lines_;
};

}  // namespace

bool PosixFileService::FolderExists(const std::string& path) { return HasType(path, S_IFDIR); }

void PosixFileService::CreateFolder(const std::string& path) {
  // A folder that another run made meanwhile is as good as one made here.
  if (::mkdir(NativePath(path).c_str(), 0777) == 0) return;
  const int error = errno;
  if (error != EEXIST || !FolderExists(path)) throw ErrnoError(error);
}

bool PosixFileService::FileExists(const std::string& path) { return HasType(path, S_IFREG); }

void PosixFileService::CopyFile(const std::string& from, const std::string& to) {
  ReplaceWithCopy(NativePath(from), NativePath(to));
}

std::unique_ptr<TextStream> PosixFileService::OpenTextFile(const std::string& path) {
  return std::make_unique<FdTextStream>(NativePath(path));
}

void PosixFileService::AppendLine(const std::string& path, const std::string& line) {
  UniqueFd file = OpenFile(NativePath(path), O_WRONLY | O_APPEND | O_CREAT, kNewFileMode);
  // One write per line: O_APPEND keeps each write whole against other appending processes.
  WriteAll(file.get(), line + "\r\n");
  file.Close();
}

}  // namespace quennet
