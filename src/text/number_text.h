#pragma once

#include <optional>
#include <string_view>

namespace quennet {

// The number test of an en-US host: the whole text is a decimal number (optional
// sign, digits, optional decimal point and fraction, optional exponent), with no
// thousands separators, no hexadecimal and no blanks.
std::optional<double> ReadNumber(std::string_view text);
bool IsNumeric(std::string_view text);

// A whole number written with digits only and no leading zero ("0" itself is one),
// at most `max`.
std::optional<int> ReadWholeNumber(std::string_view text, int max);

}  // namespace quennet
