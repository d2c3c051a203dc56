#pragma once

#include <string>
#include <vector>

namespace quennet {

// Why a knock on `ports` (checked with CheckPortList) is easy to hit by chance, one
// line per reason; none for a good knock.
std::vector<std::string> KnockWarnings(const std::string& ports);

}  // namespace quennet
