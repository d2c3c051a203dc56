#pragma once

#include <string>
#include <vector>

namespace quennet {

// Why a task without --strict is easy to open.
inline constexpr const char* kLenientWarning =
    "--lenient lets any sweep that passes through the knock ports in order open the port to the "
    "sweeper, and one "
    "with a spoofed source to the address it claims";

// Why a knock on `ports` (checked with CheckPortList) is easy to hit by chance, or
// holds a port that a knock page cannot send, one line per reason; none for a good
// knock.
std::vector<std::string> KnockWarnings(const std::string& ports);

}  // namespace quennet
