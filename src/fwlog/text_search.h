#pragma once

#include <cstddef>
#include <string_view>

namespace quennet {

// Where `needle` first stands in `text` at or after `from`: what text.find(needle,
// from) gives, found many bytes at a time. Scanning a large log for a short, rare
// text such as " 7133 " is the whole of its cost.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from);

}  // namespace quennet
