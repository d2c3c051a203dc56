#include "fwlog/newest_stamp.h"

#include <string_view>

#include "fwlog/snapshot.h"
#include "fwlog/time_stamps.h"
#include "platform/error.h"

namespace quennet {
namespace {

constexpr int kStampLength = 19;
constexpr std::string_view kSampleStamp = "2012-07-17 10:17:07";

}  // namespace

NewestStamp ReadNewestStamp(Host& host, const std::string& strLogFilePath) {
  NewestStamp newest;
  bool read_some = false;
  try {
    if (!host.files.FileExists(strLogFilePath)) return newest;
    const auto stream = host.files.OpenTextFile(strLogFilePath);
    std::string piece;
    const auto read = [&](std::uint64_t offset, std::size_t size) -> std::string_view {
      piece = stream->ReadAt(offset, size);
      read_some = true;
      return piece;
    };
    const std::uint64_t size = stream->Size();
    newest.empty = size == 0;
    newest.stamp = ReturnLastDateStampInPieces(host.clock, size, kNewestStampPiece, read, kStampLength, kSampleStamp);
  } catch (const RuntimeError&) {
    // A log that could not be read at all counts as empty, as a missing one does.
    newest.empty = !read_some;
    LogReadFailure(host, strLogFilePath);
  }
  return newest;
}

}  // namespace quennet
