#include "fwlog/newest_stamp.h"

#include <string_view>

#include "fwlog/snapshot.h"
#include "fwlog/time_stamps.h"

namespace quennet {
namespace {

constexpr int kStampLength = 19;
constexpr std::string_view kSampleStamp = "2012-07-17 10:17:07";

std::string LastStamp(Host& host, std::string_view text) {
  return ReturnLastDateStamp(host.clock, text, kStampLength, kSampleStamp);
}

}  // namespace

NewestStamp ReadNewestStamp(Host& host, const std::string& strLogFilePath) {
  const std::string tail = ReadLogTail(host, strLogFilePath, kNewestStampTail);
  if (tail.empty()) return {};
  NewestStamp newest{false, LastStamp(host, tail)};
  if (!newest.stamp.empty() || tail.size() < kNewestStampTail) return newest;
  // The search through the tail examined the windows that start inside it; the
  // windows that start before it are the ones a search through this much of the
  // whole text examines.
  const std::string whole = ReadLogFile(host, strLogFilePath);
  if (whole.size() > tail.size()) {
    const std::size_t tail_start = whole.size() - tail.size();
    newest.stamp = LastStamp(host, std::string_view(whole).substr(0, tail_start + kStampLength + 1));
  }
  return newest;
}

}  // namespace quennet
