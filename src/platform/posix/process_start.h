#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace quennet {

// Starts the program arguments[0] (searched on PATH) with these arguments, directly
// and not waited for. Returns once the program runs; throws when it cannot be
// started. The program shares the caller's standard output and error and is never
// left behind as a zombie of the caller.
void StartDetached(const std::vector<std::string>& arguments);

// Starts the program as StartDetached does and waits for it to end. Returns its exit
// status; a program ended by a signal gives 128 plus the signal number.
int StartAndWait(const std::vector<std::string>& arguments);

// Starts the program as StartAndWait does, with its standard output read into the
// result, and waits for it. One that writes more than `limit` bytes is killed, and
// the error thrown.
CommandOutput StartAndRead(const std::vector<std::string>& arguments, std::size_t limit);

}  // namespace quennet
