#include "errors/error.h"

#include <new>
#include <ostream>

namespace quennet {

std::string RuntimeError::Detail() const {
  if (operation_.empty()) return description();
  std::string detail = operation_;
  if (!path_.empty()) detail += " " + path_;
  if (!system_message_.empty()) detail += ": " + system_message_;
  return detail;
}

namespace {

const char* DescriptionOf(long number) {
  switch (number) {
    case kErrFileNotFound: return "File not found";
    case kErrFileExists: return "File already exists";
    case kErrDiskFull: return "Disk full";
    case kErrDeviceUnavailable: return "Device unavailable";
    case kErrPermissionDenied: return "Permission denied";
    case kErrPathNotFound: return "Path not found";
    default: return "Path/File access error";
  }
}

}  // namespace

RuntimeError SystemError(long number, std::string operation, std::string path,
                         std::string system_message) {
  return {number, DescriptionOf(number), std::move(operation), std::move(path),
          std::move(system_message)};
}

std::string FatalReport(const RuntimeError& error) {
  return "Run-time error '" + std::to_string(error.number()) + "': " + error.description();
}

int RunReportingFatalErrors(const std::function<int()>& body, std::ostream& errors) {
  try {
    return body();
  } catch (const RuntimeError& error) {
    errors << FatalReport(error) << '\n';
  } catch (const std::bad_alloc&) {
    errors << FatalReport(RuntimeError(7, "Out of memory")) << '\n';
  }
  return 1;
}

}  // namespace quennet
