#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/host.h"

namespace quennet {

// How much of a firewall log is read at a time when looking for its newest stamp.
inline constexpr std::size_t kNewestStampPiece = 64 * 1024;

// How far a firewall log reaches.
struct NewestStamp {
  // The log's text is empty: the file is missing, empty, or fails before any of it
  // is read (which adds LogReadFailure's "error.log" line).
  bool empty = true;
  // What ReturnLastDateStamp finds in the log's whole text with the firewall's
  // sample stamp "2012-07-17 10:17:07"; empty when there is none.
  std::string stamp;
};

// Reads the log backwards from its end in pieces of kNewestStampPiece bytes, so only
// the last piece when the newest stamp stands there, as it does in a firewall log,
// and never more than one piece at a time; the windows examined, and the events let
// through, are those of a search through the whole text.
NewestStamp ReadNewestStamp(Host& host, const std::string& strLogFilePath);
// The same for the log open as `stream`, whose reading in order stays where it was;
// a failure adds the "error.log" line for strLogFilePath.
NewestStamp ReadNewestStamp(Host& host, PositionedFile& stream, const std::string& strLogFilePath);
// The same without a line: nothing when the log cannot be read.
std::optional<NewestStamp> TryReadNewestStamp(Clock& clock, PositionedFile& stream);

}  // namespace quennet
