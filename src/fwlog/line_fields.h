#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quennet {

// The fields of a firewall log line, found by exact, case-sensitive text searches
// anchored on the action text ("DROP TCP"); the line is never split. Cheap enough
// to run on every line of a large log.

// The line holds the action text anywhere. An empty action text is in every line.
bool HasActionText(std::string_view line, std::string_view action_text);

// The port stands as a whole field: a space before it and a space after it.
bool HasPort(std::string_view line, std::string_view port);

// Everything before the action text: for a record line the date, the time and the
// space after it. Empty when the line does not hold the action text.
std::string_view LineTimeText(std::string_view line, std::string_view action_text);

// The source address: the line without every copy of its prefix up to and including
// the character after the action text, up to the first space. Empty when the line
// does not hold the action text.
std::string SourceAddress(std::string_view line, std::string_view action_text);

// How a "#Fields:" header line begins.
inline constexpr std::string_view kFieldsHeader = "#Fields: ";

// Where the fields of a record line stand, counted from 0. A strict knock reads
// fields by position; the plain searches above do not.
struct FieldLayout {
  std::size_t date = 0;
  std::size_t time = 1;
  std::size_t src_ip = 4;
  std::size_t dst_port = 7;

  // Takes the positions from a "#Fields:" header line, which governs the lines after
  // it; a name the header lacks keeps the position Windows writes it at. False, and
  // nothing changed, for any other line.
  bool Read(std::string_view line);
};

// The field at `index` of a line whose fields are separated by single spaces; nothing
// when the line has fewer fields.
std::optional<std::string_view> FieldAt(std::string_view line, std::size_t index);

}  // namespace quennet
