#pragma once
// What the knock fuzz targets share: the input cut into its first line and the live
// firewall log.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "fuzz_check.h"

namespace quennet::fuzz {

// The first line (without its end) and the rest of the input.
inline std::pair<std::string, std::string> FirstLineAndRest(const std::uint8_t* data,
                                                            std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  if (end == std::string::npos) return {input, ""};
  return {input.substr(0, end), input.substr(end + 1)};
}

}  // namespace quennet::fuzz
