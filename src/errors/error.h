#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <utility>

namespace quennet {

// A failure that an operation lets pass to its caller. Its number and description
// are in the host's numbering, as the fatal report shows them; where they are known
// it also carries the operation that failed, the path it worked on and the system's
// own message. The steps of a run that can go on without what failed catch it (a
// log line that cannot be written, a snapshot that cannot be read, ...); anywhere
// else it ends the process with the fatal report.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(long number, const std::string& description, std::string operation = {},
               std::string path = {}, std::string system_message = {})
      : std::runtime_error(description),
        number_(number),
        operation_(std::move(operation)),
        path_(std::move(path)),
        system_message_(std::move(system_message)) {}

  long number() const { return number_; }
  std::string description() const { return what(); }
  // The operation, its path and the system's message ("open C:\x\y: Permission
  // denied"); the description when no operation is known.
  std::string Detail() const;

 private:
  long number_;
  std::string operation_;
  std::string path_;
  std::string system_message_;
};

// Error numbers in the host's numbering, used by every platform.
inline constexpr long kErrFileNotFound = 53;
inline constexpr long kErrFileExists = 58;
inline constexpr long kErrDiskFull = 61;
inline constexpr long kErrDeviceUnavailable = 68;
inline constexpr long kErrPermissionDenied = 70;
inline constexpr long kErrPathFileAccess = 75;
inline constexpr long kErrPathNotFound = 76;

// A failure of the system, under one of the numbers above with the host's description
// of it, and the operation, the path and the system's message.
RuntimeError SystemError(long number, std::string operation, std::string path,
                         std::string system_message);

// The one line that reports a fatal run-time error.
std::string FatalReport(const RuntimeError& error);

// Runs a program's body and gives its exit status. A run-time error, running out of
// memory included, ends it with the fatal report on `errors` and status 1.
int RunReportingFatalErrors(const std::function<int()>& body, std::ostream& errors);

}  // namespace quennet
