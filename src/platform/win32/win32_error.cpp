#include "platform/win32/win32_error.h"

#include <string>

namespace quennet {
namespace {

// ERROR_DIRECTORY: no folder where one is wanted (RemoveDirectoryA or FindFirstFileA on
// a file).
long HostNumberOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY: return kErrFileNotFound;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return kErrFileExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kErrDiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return kErrPermissionDenied;
    default: return kErrPathFileAccess;
  }
}

// The system's text for `code`, without the line end and the full stop it ends
// with; the bare code when the system has no text for it.
std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
  LocalFree(text);
  const std::size_t end = message.find_last_not_of("\r\n .");
  message.erase(end == std::string::npos ? 0 : end + 1);
  return message;
}

}  // namespace

RuntimeError Win32Error(DWORD code, std::string_view operation, std::string_view path) {
  return SystemError(HostNumberOf(code), std::string(operation), std::string(path),
                     SystemMessage(code));
}

RuntimeError LastWin32Error(std::string_view operation, std::string_view path) {
  return Win32Error(GetLastError(), operation, path);
}

}  // namespace quennet
