#include "platform/posix/errno_error.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace quennet {
namespace {

struct HostError {
  long number;
  const char* description;
};

HostError HostErrorOf(int error_number) {
  switch (error_number) {
    case ENOENT: return {kErrFileNotFound, "File not found"};
    case EACCES:
    case EPERM: return {kErrPermissionDenied, "Permission denied"};
    case ENOTDIR: return {kErrPathNotFound, "Path not found"};
    case EEXIST: return {kErrFileExists, "File already exists"};
    case ENOSPC: return {kErrDiskFull, "Disk full"};
    default: return {kErrPathFileAccess, "Path/File access error"};
  }
}

}  // namespace

RuntimeError ErrnoError(int error_number, std::string_view operation, std::string_view path) {
  const HostError host = HostErrorOf(error_number);
  return {host.number, host.description, std::string(operation), std::string(path),
          std::generic_category().message(error_number)};
}

}  // namespace quennet
