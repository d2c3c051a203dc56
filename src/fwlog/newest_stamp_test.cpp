#include "fwlog/newest_stamp.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "fwlog/time_stamps.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

constexpr char kLog[] = "C:\\kfirewall.log";
constexpr char kStamp[] = "2012-07-17 10:17:07";

TEST(ReadNewestStamp, FindsAndYieldsWhatASearchOfTheWholeTextDoesWhereverTheStampStands) {
  const std::size_t piece = kNewestStampPiece;
  std::vector<std::string> texts = {std::string(3 * piece + 100, '7')};  // no stamp at all
  // A stamp at the end, where the last two characters are never seen; across the start
  // of the last piece, and of the one before it; well before them. As {pieces, bytes} after it.
  const std::pair<std::size_t, int> afters[] = {{0, 2},   {0, 3},   {0, 100}, {1, -22},
                                                {1, -21}, {1, -20}, {1, -19}, {1, -18},
                                                {2, -40}, {2, -39}, {2, -38}, {3, 5000}};
  for (const auto& [pieces, bytes] : afters)
    texts.push_back(std::string(1000, 'x') + kStamp + std::string(pieces * piece + bytes, 'y'));
  for (const std::string& text : texts) {
    FakeHost fake;
    fake.files.files[kLog] = text;
    const NewestStamp newest = ReadNewestStamp(fake.host, kLog);
    FakeClock whole;
    EXPECT_EQ(newest.stamp, ReturnLastDateStamp(whole, text, 19, kStamp)) << text.size();
    EXPECT_EQ(fake.clock.events, whole.events) << text.size();
    EXPECT_FALSE(newest.empty);
  }
}

}  // namespace
}  // namespace quennet
