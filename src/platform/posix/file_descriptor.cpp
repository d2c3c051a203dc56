#include "platform/posix/file_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/posix/errno_error.h"

namespace quennet {

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

void UniqueFd::Close() {
  const int fd = std::exchange(fd_, -1);
  // After EINTR the descriptor is closed all the same on this host.
  if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) throw ErrnoError(errno, "close");
}

UniqueFd OpenFile(const std::string& path, int flags, mode_t mode) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) throw ErrnoError(errno, "open", path);
  return UniqueFd(fd);
}

std::size_t ReadSome(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw ErrnoError(errno, "read");
  }
}

void WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw ErrnoError(errno, "write");
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace quennet
