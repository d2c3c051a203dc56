#include "platform/posix/errno_error.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace quennet {
namespace {

long HostNumberOf(int error_number) {
  switch (error_number) {
    case ENOENT: return kErrFileNotFound;
    case EACCES:
    case EPERM: return kErrPermissionDenied;
    case ENOTDIR: return kErrPathNotFound;
    case EEXIST: return kErrFileExists;
    case ENOSPC: return kErrDiskFull;
    default: return kErrPathFileAccess;
  }
}

}  // namespace

RuntimeError ErrnoError(int error_number, std::string_view operation, std::string_view path) {
  return SystemError(HostNumberOf(error_number), std::string(operation), std::string(path),
                     std::generic_category().message(error_number));
}

}  // namespace quennet
