#pragma once

#include "errors/error.h"

namespace quennet {

// The host's error for a failed system call, from its errno value.
RuntimeError ErrnoError(int error_number);

}  // namespace quennet
