// The number test. std::from_chars does the conversion because it ignores the
// locale; the syntax is checked first because from_chars also takes "inf", "nan"
// and refuses a leading "+".
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "text/ascii.h"

namespace quennet {
namespace {

class DigitCursor {
 public:
  explicit DigitCursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }

  bool TakeAny(std::string_view chars) {
    if (AtEnd() || chars.find(text_[pos_]) == std::string_view::npos) return false;
    ++pos_;
    return true;
  }

  // How many digits were taken.
  std::size_t TakeDigits() {
    const std::size_t start = pos_;
    while (!AtEnd() && IsDigit(text_[pos_])) ++pos_;
    return pos_ - start;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// [+-] digits [. digits] [(e|E) [+-] digits], with at least one digit before the exponent.
bool IsDecimalNumber(std::string_view text) {
  DigitCursor cursor(text);
  cursor.TakeAny("+-");
  std::size_t mantissa_digits = cursor.TakeDigits();
  if (cursor.TakeAny(".")) mantissa_digits += cursor.TakeDigits();
  if (mantissa_digits == 0) return false;
  if (cursor.TakeAny("eE")) {
    cursor.TakeAny("+-");
    if (cursor.TakeDigits() == 0) return false;
  }
  return cursor.AtEnd();
}

}  // namespace

std::optional<double> ReadNumber(std::string_view text) {
  if (!IsDecimalNumber(text)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool IsNumeric(std::string_view text) { return ReadNumber(text).has_value(); }

std::optional<int> ReadWholeNumber(std::string_view text, int max) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || value > max) return std::nullopt;
  return value;
}

}  // namespace quennet
