// The date reader. It runs on every window of a firewall log and on command-line
// tokens, so it is a small scanner that reads each character once: no regular
// expressions, no recursion, no locale.
#include "text/date_text.h"

#include <array>
#include <initializer_list>
#include <utility>

#include "text/ascii.h"

namespace quennet {
namespace {

// No number in a date or a time needs more digits; longer runs are not dates.
constexpr int kMaxDigits = 4;

struct Number {
  int value = 0;
  int digits = 0;
};

enum class HalfOfDay { kNone, kAm, kPm };

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Between the pieces of a date: "/", "-" or "," with or without blanks around it,
// or blanks alone.
struct Separator {
  char mark = ' ';
  bool blanks = false;
};

// One piece of a date: a number, or a month name when `month` is not 0.
struct DatePiece {
  Number number;
  int month = 0;
};

// The month of a full English month name or its first three letters; 0 for any other word.
int MonthOfWord(std::string_view word) {
  for (int month = 1; month <= 12; ++month) {
    const std::string name = MonthName(month);
    if (EqualsIgnoringCase(word, name) ||
        EqualsIgnoringCase(word, std::string_view(name).substr(0, 3)))
      return month;
  }
  return 0;
}

// A number that may stand for a month, a day or a part of a time; -1 (never valid)
// when written with more than two digits.
int Small(Number number) { return number.digits <= 2 ? number.value : -1; }

// A year is written with four digits, or with one or two for 1930 to 2029; -1 (never
// valid) otherwise.
int FullYear(Number year) {
  if (year.digits == 4) return year.value;
  if (year.digits > 2) return -1;
  return year.value + (year.value < 30 ? 2000 : 1900);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && IsLeapYear(year));
}

std::optional<CivilTime> CheckedDate(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return CivilTime{year, month, day, 0, 0, 0};
}

std::optional<TimeOfDay> CheckedTime(int hour, int minute, int second, HalfOfDay half) {
  if (minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  if (half == HalfOfDay::kNone) {
    if (hour < 0 || hour > 23) return std::nullopt;
    return TimeOfDay{hour, minute, second};
  }
  if (hour < 1 || hour > 12) return std::nullopt;
  return TimeOfDay{hour % 12 + (half == HalfOfDay::kPm ? 12 : 0), minute, second};
}

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

  bool Take(char c) {
    if (AtEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  // True when at least one blank was taken.
  bool TakeBlanks() {
    const std::size_t start = pos_;
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    return pos_ != start;
  }

  // A run of digits; empty when there is none or it is too long for a date.
  std::optional<Number> TakeNumber() {
    Number number;
    for (; !AtEnd() && IsDigit(text_[pos_]); ++pos_) {
      if (++number.digits <= kMaxDigits) number.value = number.value * 10 + (text_[pos_] - '0');
    }
    if (number.digits == 0 || number.digits > kMaxDigits) return std::nullopt;
    return number;
  }

  std::string_view TakeWord() {
    const std::size_t start = pos_;
    while (!AtEnd() && IsLetter(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::optional<DatePiece> TakeDatePiece(Scanner& scanner) {
  if (const auto number = scanner.TakeNumber()) return DatePiece{*number, 0};
  if (const int month = MonthOfWord(scanner.TakeWord()); month != 0) return DatePiece{{}, month};
  return std::nullopt;
}

std::optional<Separator> TakeSeparator(Scanner& scanner) {
  Separator separator;
  separator.blanks = scanner.TakeBlanks();
  for (const char mark : {'/', '-', ','}) {
    if (scanner.Take(mark)) {
      separator.mark = mark;
      break;
    }
  }
  separator.blanks = scanner.TakeBlanks() || separator.blanks;
  if (separator.mark == ' ' && !separator.blanks) return std::nullopt;
  return separator;
}

// m/d/y, y/m/d and the same with "-": one mark, used twice, with no blanks. The
// year comes first when it is written with four digits.
std::optional<CivilTime> NumericDate(const std::array<Number, 3>& numbers,
                                     const std::array<Separator, 2>& separators) {
  const char mark = separators[0].mark;
  if (separators[0].blanks || separators[1].blanks || separators[1].mark != mark)
    return std::nullopt;
  if (mark != '/' && mark != '-') return std::nullopt;
  const auto [first, second, third] = numbers;
  if (first.digits == 4) return CheckedDate(first.value, Small(second), Small(third));
  return CheckedDate(FullYear(third), Small(first), Small(second));
}

// A month name and two numbers in any order. The number written with four digits
// or above 31 is the year; when neither is, the day comes first.
std::optional<CivilTime> NamedDate(int month, Number day, Number year) {
  const auto year_like = [](Number number) { return number.digits == 4 || number.value > 31; };
  if (year_like(day) && year_like(year)) return std::nullopt;
  if (year_like(day)) std::swap(day, year);
  return CheckedDate(FullYear(year), month, Small(day));
}

// Three pieces, at most one of them a month name.
std::optional<CivilTime> TakeDate(Scanner& scanner) {
  std::array<DatePiece, 3> pieces;
  std::array<Separator, 2> separators;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) {
      const auto separator = TakeSeparator(scanner);
      if (!separator) return std::nullopt;
      separators[i - 1] = *separator;
    }
    const auto piece = TakeDatePiece(scanner);
    if (!piece) return std::nullopt;
    pieces[i] = *piece;
  }
  std::array<Number, 3> numbers;
  std::size_t count = 0;
  int month = 0;
  for (const DatePiece& piece : pieces) {
    if (piece.month == 0) {
      numbers[count++] = piece.number;
    } else if (month != 0) {
      return std::nullopt;
    } else {
      month = piece.month;
    }
  }
  if (month == 0) return NumericDate(numbers, separators);
  return NamedDate(month, numbers[0], numbers[1]);
}

// "AM" or "PM", with or without a blank before it; nothing is taken otherwise.
HalfOfDay TakeHalfOfDay(Scanner& scanner) {
  const std::size_t start = scanner.Position();
  scanner.TakeBlanks();
  const std::string_view word = scanner.TakeWord();
  if (EqualsIgnoringCase(word, "AM")) return HalfOfDay::kAm;
  if (EqualsIgnoringCase(word, "PM")) return HalfOfDay::kPm;
  scanner.Rewind(start);
  return HalfOfDay::kNone;
}

// h:mm or h:mm:ss, then an optional AM or PM.
std::optional<TimeOfDay> TakeTime(Scanner& scanner) {
  const auto hour = scanner.TakeNumber();
  if (!hour || !scanner.Take(':')) return std::nullopt;
  const auto minute = scanner.TakeNumber();
  const auto second = scanner.Take(':') ? scanner.TakeNumber() : Number{0, 1};
  if (!minute || !second) return std::nullopt;
  return CheckedTime(Small(*hour), Small(*minute), Small(*second), TakeHalfOfDay(scanner));
}

}  // namespace

// A date, a time, or a date, blanks and a time. A time alone falls on the zero date.
std::optional<DateTime> ReadDate(std::string_view text) {
  Scanner scanner(TrimBlanks(text));
  const std::optional<CivilTime> date = TakeDate(scanner);
  if (!date) {
    scanner.Rewind(0);
  } else if (scanner.AtEnd()) {
    return FromCivil(*date);
  } else if (!scanner.TakeBlanks()) {
    return std::nullopt;
  }
  const auto time = TakeTime(scanner);
  if (!time || !scanner.AtEnd()) return std::nullopt;
  CivilTime civil = date.value_or(CivilTime{});
  civil.hour = time->hour;
  civil.minute = time->minute;
  civil.second = time->second;
  return FromCivil(civil);
}

bool IsDate(std::string_view text) { return ReadDate(text).has_value(); }

}  // namespace quennet
