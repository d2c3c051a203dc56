#include "text/environment_text.h"

namespace quennet {

std::string ExpandReferences(
    const std::string& text,
    const std::function<std::optional<std::string>(const std::string&)>& lookup) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find('%', pos);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) break;
    out.append(text, pos, open - pos);
    const std::optional<std::string> value = lookup(text.substr(open + 1, close - open - 1));
    if (value) {
      out += *value;
      pos = close + 1;
    } else {
      // The closing % may open the next reference.
      out += '%';
      out.append(text, open + 1, close - open - 1);
      pos = close;
    }
  }
  out.append(text, pos, std::string::npos);
  return out;
}

}  // namespace quennet
