#include "platform/win32/win32_api.h"
#include "platform/win32/win32_error.h"

namespace quennet {

RuntimeError LastWin32Error() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:  // a missing folder, to GetTempFileNameA
      return {kErrFileNotFound, "File not found"};
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return {kErrFileExists, "File already exists"};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return {kErrDiskFull, "Disk full"};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return {kErrPermissionDenied, "Permission denied"};
    default:
      return {kErrPathFileAccess, "Path/File access error"};
  }
}

}  // namespace quennet
