#pragma once

#include "platform/version.h"

namespace quennet {

class Win32Version : public VersionService {
 public:
  void GetVersionExA(OsVersionInfoA& info) override;
};

}  // namespace quennet
