#pragma once

#include <string>
#include <vector>

namespace quennet {

// Splits at every `separator`, keeping empty pieces: "a,,b," gives a, "", b, "".
std::vector<std::string> SplitAll(const std::string& text, char separator);

}  // namespace quennet
