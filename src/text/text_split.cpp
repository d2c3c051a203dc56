#include "text/text_split.h"

namespace quennet {

std::vector<std::string> SplitAll(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t sep = text.find(separator); sep != std::string_view::npos;
       sep = text.find(separator, start)) {
    pieces.emplace_back(text.substr(start, sep - start));
    start = sep + 1;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

}  // namespace quennet
