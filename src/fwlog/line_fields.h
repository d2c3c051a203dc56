#pragma once

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

}  // namespace quennet
