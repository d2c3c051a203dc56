#pragma once

#include <optional>
#include <string>

#include "platform/version.h"

namespace quennet {

// The Windows version this host poses as, from a setting "PLATFORM.MAJOR.MINOR.BUILD"
// (2.6.1.7601 is Windows 7).
class PosixVersion : public VersionService {
 public:
  // `setting` is null when there is none.
  explicit PosixVersion(const char* setting);

  // Without a setting, a platform that names no Windows version and no version
  // numbers; a setting that does not read leaves the record untouched, as a
  // failed call does.
  void GetVersionExA(OsVersionInfoA& info) override;

 private:
  std::optional<std::string> setting_;
};

}  // namespace quennet
