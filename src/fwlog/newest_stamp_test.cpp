#include "fwlog/newest_stamp.h"

#include <gtest/gtest.h>

#include "fwlog/time_stamps.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

constexpr char kLog[] = "C:\\kfirewall.log";
constexpr char kStamp[] = "2012-07-17 10:17:07";

struct Search {
  NewestStamp newest;
  int events;
};

Search ReadNewest(FakeHost& fake) {
  fake.clock.events = 0;
  const NewestStamp newest = ReadNewestStamp(fake.host, kLog);
  return {newest, fake.clock.events};
}

// What a search through the whole text finds, and how many events it lets through.
Search SearchWhole(const std::string& text) {
  FakeClock clock;
  return {{text.empty(), ReturnLastDateStamp(clock, text, 19, kStamp)}, clock.events};
}

// A stamp with `before` and `after` characters of text without stamps around it,
// so that it lands anywhere relative to the tail.
std::string StampBetween(std::size_t before, std::size_t after) {
  return std::string(before, 'x') + kStamp + std::string(after, 'y');
}

TEST(ReadNewestStamp, FindsWhatASearchOfTheWholeTextFindsWhereverTheStampStands) {
  const std::size_t tail = kNewestStampTail;
  const std::size_t afters[] = {
      2,  3,  100,                                      // at the end, where the last two characters are never seen
      tail - 22, tail - 21, tail - 20, tail - 19, tail - 18,  // across the start of the tail
      tail + 5000};                                     // well before the tail
  for (const std::size_t after : afters) {
    FakeHost fake;
    fake.files.files[kLog] = StampBetween(1000, after);
    const Search whole = SearchWhole(fake.files.files[kLog]);
    const Search newest = ReadNewest(fake);
    EXPECT_EQ(newest.newest.stamp, whole.newest.stamp) << after;
    EXPECT_FALSE(newest.newest.empty);
    EXPECT_EQ(newest.events, whole.events) << after;
  }
  // The usual case: the stamp of the last line.
  FakeHost fake;
  fake.files.files[kLog] = std::string(3 * tail, '#') + "\r\n" + kStamp + " DROP TCP\r\n";
  const Search newest = ReadNewest(fake);
  EXPECT_EQ(newest.newest.stamp, "7/17/2012 10:17:07 AM");
  EXPECT_EQ(newest.events, 9);
}

TEST(ReadNewestStamp, ALogWithoutStampsIsSearchedWholeOnce) {
  FakeHost fake;
  fake.files.files[kLog] = std::string(kNewestStampTail + 100, '7');
  const Search newest = ReadNewest(fake);
  EXPECT_EQ(newest.newest.stamp, "");
  EXPECT_FALSE(newest.newest.empty);
  EXPECT_EQ(newest.events, SearchWhole(fake.files.files[kLog]).events);
}

TEST(ReadNewestStamp, AMissingEmptyOrUnreadableLogIsEmpty) {
  FakeHost fake;
  EXPECT_TRUE(ReadNewestStamp(fake.host, kLog).empty);
  fake.files.files[kLog] = "";
  EXPECT_TRUE(ReadNewestStamp(fake.host, kLog).empty);
  EXPECT_TRUE(fake.files.changes.empty());
  fake.files.files[kLog] = kStamp + std::string("\r\n");
  fake.files.Fail(FakeFileService::Op::ReadAll, kLog);
  EXPECT_TRUE(ReadNewestStamp(fake.host, kLog).empty);
  EXPECT_EQ(fake.files.Lines("C:\\Quennet\\error.log").size(), 1u);
}

}  // namespace
}  // namespace quennet
