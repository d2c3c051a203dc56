#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace quennet {

// A failure that an operation lets pass to its caller. Nothing in the run catches
// it, so it ends the process with a fatal run-time error report.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(long number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  long number() const { return number_; }
  std::string description() const { return what(); }

 private:
  long number_;
};

// Error numbers in the host's numbering, used by every platform.
inline constexpr long kErrFileNotFound = 53;
inline constexpr long kErrFileExists = 58;
inline constexpr long kErrDiskFull = 61;
inline constexpr long kErrPermissionDenied = 70;
inline constexpr long kErrPathFileAccess = 75;
inline constexpr long kErrPathNotFound = 76;

// The one line that reports a fatal run-time error.
std::string FatalReport(const RuntimeError& error);

// Runs a program's body and gives its exit status. A run-time error, running out of
// memory included, ends it with the fatal report on `errors` and status 1.
int RunReportingFatalErrors(const std::function<int()>& body, std::ostream& errors);

}  // namespace quennet
