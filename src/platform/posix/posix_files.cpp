#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/posix/errno_error.h"
#include "platform/posix/file_copy.h"
#include "platform/posix/file_descriptor.h"
#include "platform/posix/native_path.h"

namespace quennet {
namespace {

FileStamp StampOf(const struct stat& info) {
  const auto nanoseconds = [](const timespec& at) {
    return std::int64_t{at.tv_sec} * 1000000000 + at.tv_nsec;
  };
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim),
          nanoseconds(info.st_ctim)};
}

bool HasType(const std::string& path, mode_t type) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

class FdTextStream : public TextStream {
 public:
  explicit FdTextStream(const std::string& path) : fd_(OpenFile(path, O_RDONLY | O_NOFOLLOW)) {
    // A folder opens like a file; refuse it here rather than at the first read.
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) throw ErrnoError(errno, "inspect", path);
    if (S_ISDIR(info.st_mode)) throw ErrnoError(EISDIR, "open", path);
  }

  std::size_t Read(char* buffer, std::size_t size) override {
    return ReadSome(fd_.get(), buffer, size);
  }
  std::uint64_t Size() override { return Stamp().size; }
  FileStamp Stamp() override {
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) throw ErrnoError(errno, "inspect");
    return StampOf(info);
  }
  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    std::string piece(size, '\0');
    std::size_t got = 0;
    while (got < size) {
      const ssize_t n =
          ::pread(fd_.get(), piece.data() + got, size - got, static_cast<off_t>(offset + got));
      if (n == 0) break;
      if (n < 0 && errno != EINTR) throw ErrnoError(errno, "read");
      if (n > 0) got += static_cast<std::size_t>(n);
    }
    piece.resize(got);
    return piece;
  }

 private:
  UniqueFd fd_;
};

}  // namespace

bool PosixFileService::FileExists(const std::string& path) { return HasType(path, S_IFREG); }

FileStamp PosixFileService::Stamp(const std::string& path) {
  struct stat info {};
  if (::stat(NativePath(path).c_str(), &info) != 0) throw ErrnoError(errno, "inspect", path);
  return StampOf(info);
}

void PosixFileService::CopyFile(const std::string& from, const std::string& to) {
  ReplaceWithCopy(NativePath(from), NativePath(to));
}

std::unique_ptr<TextStream> PosixFileService::OpenTextFile(const std::string& path) {
  return std::make_unique<FdTextStream>(NativePath(path));
}

void PosixFileService::RemoveFile(const std::string& path) {
  if (::unlink(NativePath(path).c_str()) != 0 && errno != ENOENT)
    throw ErrnoError(errno, "remove", path);
}

std::optional<std::string> PosixFileService::LinkTarget(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t size = ::readlink(NativePath(path).c_str(), target.data(), target.size());
  if (size < 0) {
    if (errno == ENOENT || errno == ENOTDIR || errno == EINVAL)
      return std::nullopt;  // nothing there, or no link
    throw ErrnoError(errno, "read the link", path);
  }
  target.resize(static_cast<std::size_t>(size));
  return target;
}

void PosixFileService::RemoveStaleCopies(const std::string& to) {
  quennet::RemoveStaleCopies(NativePath(to));
}

void PosixFileService::AppendLine(const std::string& path, const std::string& line) {
  UniqueFd file =
      OpenFile(NativePath(path), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, kNewFileMode);
  // One write per line: O_APPEND keeps each write whole against other appending processes.
  WriteAll(file.get(), line + "\r\n");
  file.Close();
}

void PosixFileService::WriteWholeFile(const std::string& path, const std::string& bytes) {
  UniqueFd file =
      OpenFile(NativePath(path), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, kNewFileMode);
  WriteAll(file.get(), bytes);
  file.Close();
}

}  // namespace quennet
