#pragma once

#include "platform/privileges.h"

namespace quennet {

// Membership of Administrators that the token grants now: a filtered token of an
// administrator who has not been elevated holds the group for denial only.
class Win32Privileges : public Privileges {
 public:
  bool Elevated() override;
};

}  // namespace quennet
