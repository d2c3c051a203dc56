#include "text/text_split.h"

namespace quennet {

std::vector<std::string> SplitAll(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t sep = text.find(separator); sep != std::string::npos; sep = text.find(separator, start)) {
    pieces.push_back(text.substr(start, sep - start));
    start = sep + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace quennet
