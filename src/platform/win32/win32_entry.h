#pragma once

#include "platform/win32/win32_api.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files.h"

namespace quennet {

// Owns a handle that CreateFileA has just returned for `path`; a failed open throws
// at once, while GetLastError still holds its reason.
class FileHandle {
 public:
  FileHandle(HANDLE handle, std::string_view path);
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(FileHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the entry at `path` itself, never what a link or other reparse point there
// points to; `flags` come on top of FILE_FLAG_OPEN_REPARSE_POINT.
FileHandle OpenEntryItself(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                           DWORD flags);
// The attributes of the entry open as `entry`.
DWORD EntryAttributes(const FileHandle& entry);
// The same open, with a link or other reparse point refused like a file that cannot
// be opened.
FileHandle OpenEntry(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags = FILE_ATTRIBUTE_NORMAL);

// Up to `size` bytes at the file pointer, or at `offset` when given; 0 at the end.
std::size_t ReadSome(HANDLE file, char* buffer, std::size_t size,
                     const std::uint64_t* offset = nullptr);
// Writes all of `size` bytes at the file pointer.
void WriteAll(HANDLE file, const char* data, std::size_t size);
// The stamp of the file open as `file`, which needs FILE_READ_ATTRIBUTES access.
FileStamp StampOf(HANDLE file);

}  // namespace quennet
