#pragma once

#include <optional>
#include <string_view>

namespace quennet {

// The number test of an en-US host: the whole text is a decimal number (optional
// sign, digits, optional decimal point and fraction, optional exponent), with no
// thousands separators, no hexadecimal and no blanks.
std::optional<double> ReadNumber(std::string_view text);
bool IsNumeric(std::string_view text);

}  // namespace quennet
