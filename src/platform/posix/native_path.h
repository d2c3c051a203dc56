#pragma once

#include <algorithm>
#include <string>

namespace quennet {

// A path written the Windows way, with every backslash read as a slash.
inline std::string NativePath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace quennet
