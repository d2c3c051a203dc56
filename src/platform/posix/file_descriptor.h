#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace quennet {

// The mode of every file the program creates, before the umask.
inline constexpr mode_t kNewFileMode = 0644;

// An open file descriptor, closed when destroyed.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int get() const { return fd_; }
  // Closes now and reports what the destructor would hide: a write that failed late.
  void Close();

 private:
  int fd_;
};

// Opens `path` (close-on-exec, so started commands never inherit it); throws on failure.
UniqueFd OpenFile(const std::string& path, int flags, mode_t mode = 0);
// Reads up to `size` bytes; 0 at the end of the file.
std::size_t ReadSome(int fd, char* buffer, std::size_t size);
// Writes all of `data`; a partial write is continued, not repeated.
void WriteAll(int fd, std::string_view data);

}  // namespace quennet
