#include "platform/posix/file_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/posix/errno_error.h"
#include "platform/posix/file_descriptor.h"
#include "text/copy_names.h"

namespace quennet {
namespace {

constexpr std::size_t kKernelChunk = std::size_t{1} << 30;
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A new private file at `path`; a file of that name left by an earlier process of
// the same id is replaced. Never opens a link.
int CreateCopyFile(const std::string& path) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(path.c_str(), kFlags, 0600);
  if (fd < 0 && errno == EEXIST && ::unlink(path.c_str()) == 0)
    fd = ::open(path.c_str(), kFlags, 0600);
  return fd;
}

constexpr unsigned long kMaxPid = 1UL << 22;  // the kernel's limit: no process has a larger id

bool IsRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

// The file that becomes the destination; whatever ends up under its name is removed.
class NewFile {
 public:
  explicit NewFile(const std::string& beside)
      : path_(CopyName(beside, static_cast<unsigned long>(::getpid()))),
        fd_(CreateCopyFile(path_)) {
    if (fd_.get() < 0) throw ErrnoError(errno, "create", path_);
  }
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  int fd() const { return fd_.get(); }

  void Replace(const std::string& to) {
    // The copy was made private; it gets the mode of any new file.
    // Reading the umask means setting it: fine, the program has one thread.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd_.get(), kNewFileMode & ~mask) != 0)
      throw ErrnoError(errno, "set the mode of", path_);
    fd_.Close();
    // Swapping with the destination, rather than renaming over it, spares writing
    // every copy to disk at once, which filesystems such as ext4 force on a file
    // renamed over another. The old file, now under this file's name, is removed,
    // and what of it has not reached the disk yet never has to.
    if (IsRegularFile(to) &&
        ::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0)
      return;
    if (::rename(path_.c_str(), to.c_str()) != 0) throw ErrnoError(errno, "rename to", to);
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
bool CopyInKernel(int from, int to, const std::string& to_path) {
  bool copied = false;
  for (;;) {
    const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, kKernelChunk, 0);
    if (n > 0) {
      copied = true;
    } else if (n == 0) {
      return copied;
    } else if (errno != EINTR) {
      if (!copied && KernelCannotCopy(errno)) return false;
      throw ErrnoError(errno, "copy to", to_path);
    }
  }
}

void CopyByReading(int from, int to) {
  std::vector<char> buffer(kReadChunk);
  while (const std::size_t n = ReadSome(from, buffer.data(), buffer.size()))
    WriteAll(to, {buffer.data(), n});
}

}  // namespace

void ReplaceWithCopy(const std::string& from, const std::string& to) {
  // The live log may be a link; it lies where only administrators can write, so it
  // is followed.
  const UniqueFd source = OpenFile(from, O_RDONLY);
  NewFile copy(to);
  if (!CopyInKernel(source.get(), copy.fd(), to)) CopyByReading(source.get(), copy.fd());
  copy.Replace(to);
}

void RemoveStaleCopies(const std::string& to) {
  const std::size_t slash = to.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : to.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? to : to.substr(slash + 1);
  DIR* const entries = ::opendir(folder.c_str());
  if (entries == nullptr) return;
  while (const dirent* entry = ::readdir(entries)) {
    const unsigned long owner = CopyOwner(entry->d_name, name);
    if (owner != 0 && (owner > kMaxPid || !IsRunning(static_cast<pid_t>(owner))))
      ::unlinkat(::dirfd(entries), entry->d_name, 0);
  }
  ::closedir(entries);
}

}  // namespace quennet
