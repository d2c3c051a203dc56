#include "fwlog/line_fields.h"

#include <algorithm>

#include "text/text_split.h"

namespace quennet {

bool HasActionText(std::string_view line, std::string_view action_text) {
  return line.find(action_text) != std::string_view::npos;
}

bool HasPort(std::string_view line, std::string_view port) {
  // Search from the second character so that every hit has a character before it;
  // once a hit has no character after it, no later one has either.
  for (std::size_t at = line.find(port, 1);
       at != std::string_view::npos && at + port.size() < line.size();
       at = line.find(port, at + 1)) {
    if (line[at - 1] == ' ' && line[at + port.size()] == ' ') return true;
  }
  return false;
}

std::string_view LineTimeText(std::string_view line, std::string_view action_text) {
  const std::size_t at = line.find(action_text);
  return at == std::string_view::npos ? std::string_view() : line.substr(0, at);
}

std::string SourceAddress(std::string_view line, std::string_view action_text) {
  const std::size_t at = line.find(action_text);
  if (at == std::string_view::npos) return "";
  const std::string_view prefix =
      line.substr(0, std::min(line.size(), at + action_text.size() + 1));
  // The rest of the line with every later copy of the prefix left out, read up to
  // its first space. Copies are taken left to right without overlapping.
  const std::string_view rest = line.substr(prefix.size());
  std::string address;
  for (std::size_t i = 0; i < rest.size();) {
    if (rest.substr(i).starts_with(prefix)) {
      i += prefix.size();
    } else if (rest[i] == ' ') {
      break;
    } else {
      address += rest[i++];
    }
  }
  return address;
}

bool FieldLayout::Read(std::string_view line) {
  if (!line.starts_with(kFieldsHeader)) return false;
  // Split as FieldAt splits a line, so that a name's place is its field's index.
  const std::vector<std::string> names = SplitAll(line.substr(kFieldsHeader.size()), ' ');
  const FieldLayout windows;
  const auto position = [&](std::string_view name, std::size_t otherwise) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? otherwise : static_cast<std::size_t>(found - names.begin());
  };
  *this = {position("date", windows.date), position("time", windows.time),
           position("src-ip", windows.src_ip), position("dst-port", windows.dst_port)};
  return true;
}

std::optional<std::string_view> FieldAt(std::string_view line, std::size_t index) {
  std::size_t begin = 0;
  for (; index > 0; --index) {
    const std::size_t blank = line.find(' ', begin);
    if (blank == std::string_view::npos) return std::nullopt;
    begin = blank + 1;
  }
  return line.substr(begin, line.find(' ', begin) - begin);
}

}  // namespace quennet
