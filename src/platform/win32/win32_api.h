#pragma once

// <windows.h> for the win32 services. Include it only through this header: it drops
// the macros that would rename the interface methods of the same names.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef CopyFile
#undef ExpandEnvironmentStrings
