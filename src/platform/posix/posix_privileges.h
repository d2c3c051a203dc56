#pragma once

#include <unistd.h>

#include "platform/privileges.h"

namespace quennet {

class PosixPrivileges : public Privileges {
 public:
  bool Elevated() override { return ::geteuid() == 0; }
};

}  // namespace quennet
