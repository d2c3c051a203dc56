#pragma once

#include <string>
#include <string_view>

namespace quennet {

// Character tests and case that mean ASCII whatever the locale: every other byte is
// neither a digit, a letter nor a blank, and lower-cases to itself.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace quennet
