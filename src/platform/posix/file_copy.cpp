#include "platform/posix/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/posix/errno_error.h"
#include "platform/posix/file_descriptor.h"

namespace quennet {
namespace {

constexpr std::size_t kKernelChunk = std::size_t{1} << 30;
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The file that becomes the destination; whatever ends up under its name is removed.
class NewFile {
 public:
  explicit NewFile(const std::string& beside) : path_(beside + ".XXXXXX"), fd_(::mkostemp(path_.data(), O_CLOEXEC)) {
    if (fd_.get() < 0) throw ErrnoError(errno);
  }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  int fd() const { return fd_.get(); }

  void Replace(const std::string& to) {
    // mkostemp makes the file private; the copy gets the mode of any new file.
    // Reading the umask means setting it: fine, the program has one thread.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd_.get(), kNewFileMode & ~mask) != 0) throw ErrnoError(errno);
    fd_.Close();
    // Swapping with the destination, rather than renaming over it, spares writing
    // every copy to disk at once, which filesystems such as ext4 force on a file
    // renamed over another. The old file, now under this file's name, is removed,
    // and what of it has not reached the disk yet never has to.
    if (IsRegularFile(to) && ::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) return;
    if (::rename(path_.c_str(), to.c_str()) != 0) throw ErrnoError(errno);
    path_.clear();
  }

 private:
  std::string path_;
  UniqueFd fd_;
};

// Errors that mean "not between these two files", when nothing was copied yet.
bool KernelCannotCopy(int error_number) {
  return error_number == EXDEV || error_number == ENOSYS || error_number == EOPNOTSUPP ||
         error_number == EINVAL || error_number == EBADF;
}

// Copies inside the kernel, which keeps a large log out of user memory. False when
// it cannot, or when it copied nothing: files like those in /proc report no size.
bool CopyInKernel(int from, int to) {
  bool copied = false;
  for (;;) {
    const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, kKernelChunk, 0);
    if (n > 0) {
      copied = true;
    } else if (n == 0) {
      return copied;
    } else if (errno != EINTR) {
      if (!copied && KernelCannotCopy(errno)) return false;
      throw ErrnoError(errno);
    }
  }
}

void CopyByReading(int from, int to) {
  std::vector<char> buffer(kReadChunk);
  while (const std::size_t n = ReadSome(from, buffer.data(), buffer.size())) WriteAll(to, {buffer.data(), n});
}

}  // namespace

void ReplaceWithCopy(const std::string& from, const std::string& to) {
  const UniqueFd source = OpenFile(from, O_RDONLY);
  NewFile copy(to);
  if (!CopyInKernel(source.get(), copy.fd())) CopyByReading(source.get(), copy.fd());
  copy.Replace(to);
}

}  // namespace quennet
