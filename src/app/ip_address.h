#pragma once

#include <string>

namespace quennet {

// True when every character is one of 0-9, a-f, "." and ":" (the empty text
// included). A character filter, not an address parser.
bool IsIPaddress(const std::string& strTextToIP);

}  // namespace quennet
