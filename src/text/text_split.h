#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quennet {

// Splits at every `separator`, keeping empty pieces: "a,,b," gives a, "", b, "".
std::vector<std::string> SplitAll(std::string_view text, char separator);

}  // namespace quennet
