#pragma once

#include "errors/error.h"

namespace quennet {

// The error of the latest failed Win32 call (GetLastError), numbered as on every
// platform.
RuntimeError LastWin32Error();

}  // namespace quennet
