#pragma once

#include <string_view>

#include "errors/error.h"

namespace quennet {

// The host's error for a failed system call, from its errno value, with the
// operation that failed, the path it worked on and the system's message. Views,
// so that nothing is allocated between the call and reading errno.
RuntimeError ErrnoError(int error_number, std::string_view operation, std::string_view path = {});

}  // namespace quennet
