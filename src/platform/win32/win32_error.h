#pragma once

#include "platform/win32/win32_api.h"

#include <string_view>

#include "errors/error.h"

namespace quennet {

// The error of a failed Win32 call, numbered as on every platform, with the
// operation that failed, the path it worked on and the system's message.
RuntimeError Win32Error(DWORD code, std::string_view operation, std::string_view path = {});

// The same for the latest failed call. GetLastError is read first thing: the views
// allocate nothing on the way in.
RuntimeError LastWin32Error(std::string_view operation, std::string_view path = {});

}  // namespace quennet
