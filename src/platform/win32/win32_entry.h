#pragma once

#include "platform/win32/win32_api.h"

#include <string>
#include <utility>

namespace quennet {

// Owns a handle that CreateFileA has just returned; a failed open throws at once,
// while GetLastError still holds its reason.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle);
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the entry at `path` itself, never what a link or other reparse point there
// points to; `flags` come on top of FILE_FLAG_OPEN_REPARSE_POINT.
FileHandle OpenEntryItself(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
// The attributes of the entry open as `entry`.
DWORD EntryAttributes(const FileHandle& entry);
// The same open, with a link or other reparse point refused like a file that cannot
// be opened.
FileHandle OpenEntry(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                     DWORD flags = FILE_ATTRIBUTE_NORMAL);

}  // namespace quennet
