#pragma once

#include "platform/privileges.h"

namespace quennet {

class FakePrivileges : public Privileges {
 public:
  bool elevated = true;

  bool Elevated() override { return elevated; }
};

}  // namespace quennet
