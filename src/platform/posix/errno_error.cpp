#include "platform/posix/errno_error.h"

#include <cerrno>

namespace quennet {

RuntimeError ErrnoError(int error_number) {
  switch (error_number) {
    case ENOENT:
      return {kErrFileNotFound, "File not found"};
    case EACCES:
    case EPERM:
      return {kErrPermissionDenied, "Permission denied"};
    case ENOTDIR:
      return {kErrPathNotFound, "Path not found"};
    case EEXIST:
      return {kErrFileExists, "File already exists"};
    case ENOSPC:
      return {kErrDiskFull, "Disk full"};
    default:
      return {kErrPathFileAccess, "Path/File access error"};
  }
}

}  // namespace quennet
