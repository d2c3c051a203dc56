#include "fwlog/newest_stamp.h"

#include <string_view>

#include "errors/error.h"
#include "fwlog/snapshot.h"
#include "fwlog/time_stamps.h"

namespace quennet {
namespace {

constexpr int kStampLength = 19;
constexpr std::string_view kSampleStamp = "2012-07-17 10:17:07";

// Throws RuntimeError; `read_some` then tells whether any of the text was read.
NewestStamp Search(Clock& clock, PositionedFile& stream, bool& read_some) {
  NewestStamp newest;
  std::string piece;
  const auto read = [&](std::uint64_t offset, std::size_t size) -> std::string_view {
    piece = stream.ReadAt(offset, size);
    read_some = true;
    return piece;
  };
  const std::uint64_t size = stream.Size();
  newest.empty = size == 0;
  newest.stamp =
      ReturnLastDateStampInPieces(clock, size, kNewestStampPiece, read, kStampLength, kSampleStamp);
  return newest;
}

}  // namespace

NewestStamp ReadNewestStamp(Host& host, PositionedFile& stream, const std::string& strLogFilePath) {
  bool read_some = false;
  try {
    return Search(host.clock, stream, read_some);
  } catch (const RuntimeError&) {
    // A log that could not be read at all counts as empty, as a missing one does.
    NewestStamp newest;
    newest.empty = !read_some;
    LogReadFailure(host, strLogFilePath);
    return newest;
  }
}

NewestStamp ReadNewestStamp(Host& host, const std::string& strLogFilePath) {
  std::unique_ptr<TextStream> stream;
  try {
    if (!host.files.FileExists(strLogFilePath)) return {};
    stream = host.files.OpenTextFile(strLogFilePath);
  } catch (const RuntimeError&) {
    LogReadFailure(host, strLogFilePath);
    return {};
  }
  return ReadNewestStamp(host, *stream, strLogFilePath);
}

std::optional<NewestStamp> TryReadNewestStamp(Clock& clock, PositionedFile& stream) {
  bool read_some = false;
  try {
    return Search(clock, stream, read_some);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace quennet
