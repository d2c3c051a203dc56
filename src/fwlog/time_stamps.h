#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace quennet {

// The stamp nearest the end of `contents` that reads as a date and has the shape of
// MatchString (digits, letters and other characters in the same places), as general
// date text; empty when there is none. The windows examined start MatchStringLength
// + 2 characters before the end, so a stamp in the last two characters is not seen.
// Lets the host handle its events once for every kWindowsPerEvent windows passed
// over: the program shows no window, so nothing waits on them.
std::string ReturnLastDateStamp(Clock& clock, std::string_view contents, int MatchStringLength,
                                std::string_view MatchString);

inline constexpr std::uint64_t kWindowsPerEvent = 4096;

// The bytes of a text from `offset` on, `size` of them (fewer only at its end); the
// view stays valid until the next call.
using TextPieceReader = std::function<std::string_view(std::uint64_t offset, std::size_t size)>;

// ReturnLastDateStamp through a text of `text_size` bytes that is read backwards from
// its end in pieces of at most `piece_size` bytes (no less than MatchStringLength), so
// that only one piece is held at a time. The windows examined, the events let
// through and the stamp found are those of ReturnLastDateStamp.
std::string ReturnLastDateStampInPieces(Clock& clock, std::uint64_t text_size,
                                        std::size_t piece_size, const TextPieceReader& read,
                                        int MatchStringLength, std::string_view MatchString);

// True when every character is a letter A to Z in either case; true for "".
bool IsAlphabetic(std::string_view strToCheck);

// "2012-07-17 10:17:07" with the month at location 2 becomes "July 2012 17 10:17:07":
// the month part (location 1, 2 or 3 of the date) as its English name, the other two
// parts in their order, then the pieces without "-" or "/". Empty when the date has
// fewer than three parts, the month part is not a month number, or the location is
// not 1, 2 or 3.
std::string ReturnDateWithMonthName(std::string_view strDateToFormat, int intMonthLocation);

}  // namespace quennet
