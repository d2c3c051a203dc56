#include "fwlog/time_stamps.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "text/ascii.h"
#include "text/date_text.h"
#include "text/text_split.h"

namespace quennet {
namespace {

enum class CharClass { kDigit, kLetter, kOther };

CharClass ClassOf(char c) {
  if (IsDigit(c)) return CharClass::kDigit;
  return IsAlphabetic({&c, 1}) ? CharClass::kLetter : CharClass::kOther;
}

bool HasShape(std::string_view window, std::string_view sample) {
  return std::equal(window.begin(), window.end(), sample.begin(), sample.end(),
                    [](char a, char b) { return ClassOf(a) == ClassOf(b); });
}

// The English name of a month part such as "07"; empty unless it is a whole number
// from 1 to 12.
std::string MonthNameOf(std::string_view part) {
  int month = 0;
  const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), month);
  if (part.empty() || error != std::errc() || end != part.data() + part.size()) return "";
  return MonthName(month);
}

// The stamp text of a window that passes every test; empty otherwise.
std::string StampOf(std::string_view window, std::string_view sample) {
  // The shape test is far cheaper than the date test and both must pass.
  if (!HasShape(window, sample) || !IsDate(window)) return "";
  const auto date = ReadDate(ReturnDateWithMonthName(window, 2));
  return date ? GeneralDateText(*date) : "";
}

}  // namespace

std::string ReturnLastDateStamp(Clock& clock, std::string_view contents, int MatchStringLength,
                                std::string_view MatchString) {
  return ReturnLastDateStampInPieces(
      clock, contents.size(), contents.size(),
      [contents](std::uint64_t offset, std::size_t size) {
        return contents.substr(static_cast<std::size_t>(offset), size);
      },
      MatchStringLength, MatchString);
}

std::string ReturnLastDateStampInPieces(Clock& clock, std::uint64_t text_size,
                                        std::size_t piece_size, const TextPieceReader& read,
                                        int MatchStringLength, std::string_view MatchString) {
  if (MatchStringLength < 1 || piece_size < static_cast<std::size_t>(MatchStringLength)) return "";
  const auto length = static_cast<std::size_t>(MatchStringLength);
  if (text_size < length + 2) return "";
  // The windows start from the one that ends two characters before the end back to
  // the first; a piece holds the windows that start in it, whole.
  const std::uint64_t starts_per_piece = piece_size - length + 1;
  std::uint64_t passed = 0;
  for (std::uint64_t end = text_size - length - 1; end > 0;) {
    const std::uint64_t begin = end > starts_per_piece ? end - starts_per_piece : 0;
    const std::size_t needed = static_cast<std::size_t>(end - begin) + length - 1;
    const std::string_view piece = read(begin, needed);
    if (piece.size() < needed) return "";  // the text ended early
    for (std::size_t start = static_cast<std::size_t>(end - begin); start-- > 0;) {
      std::string stamp = StampOf(piece.substr(start, length), MatchString);
      if (!stamp.empty()) return stamp;
      if (++passed % kWindowsPerEvent == 0) clock.DoEvents();
    }
    end = begin;
  }
  return "";
}

bool IsAlphabetic(std::string_view strToCheck) {
  return std::all_of(strToCheck.begin(), strToCheck.end(), IsLetter);
}

std::string ReturnDateWithMonthName(std::string_view strDateToFormat, int intMonthLocation) {
  std::string date_piece(strDateToFormat);
  std::string time_part;
  if (strDateToFormat.find(' ') != std::string_view::npos) {
    date_piece.clear();
    for (const std::string& piece : SplitAll(strDateToFormat, ' ')) {
      if (piece.find_first_of("-/") != std::string::npos) {
        date_piece = piece;
      } else {
        time_part += ' ';
        time_part += piece;
      }
    }
  }
  std::replace(date_piece.begin(), date_piece.end(), '-', '/');
  if (date_piece.find('/') == std::string::npos) return "";
  const std::vector<std::string> parts = SplitAll(date_piece, '/');
  if (parts.size() < 3) return "";
  if (intMonthLocation < 1 || intMonthLocation > 3) return "";
  // The month part, then the other two in the order they stand.
  static constexpr std::size_t kOrder[3][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}};
  const std::size_t* order = kOrder[intMonthLocation - 1];
  const std::string month = MonthNameOf(parts[order[0]]);
  if (month.empty()) return "";
  return month + " " + parts[order[1]] + " " + parts[order[2]] + time_part;
}

}  // namespace quennet
