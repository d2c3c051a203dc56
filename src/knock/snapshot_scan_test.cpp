#include "knock/snapshot_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_log.h"

namespace quennet {
namespace {

// The lines a judge sees when it asks for lines holding `needles` (and, once it has
// seen `switch_after` lines, `later` instead), the snapshot read `piece` bytes at a
// time; every_line gives the line-by-line scan. `trace` takes the lines of the trace.
std::vector<std::string> Seen(const std::string& text, std::size_t piece, bool every_line,
                              const std::vector<std::string_view>& needles,
                              const std::vector<std::string_view>& later = {},
                              std::size_t switch_after = 1000,
                              std::vector<std::string>* trace = nullptr) {
  test::KnockHost fake;
  fake.files.files[test::kSnapshot] = text;
  fake.files.read_piece = piece;
  std::vector<std::string> seen;
  IgnoredReadFailures ignored;
  ScanSnapshotFor(
      fake.host, *fake.files.OpenTextFile(test::kSnapshot), every_line,
      [&] { return seen.size() < switch_after ? needles : later; },
      [&](std::string_view line) {
        seen.emplace_back(line);
        return true;
      },
      ignored);
  if (trace) *trace = fake.Lines("Debug.log");
  return seen;
}

// What a judge that acts only on lines holding a needle sees of every line.
std::vector<std::string> Holding(std::vector<std::string> lines,
                                 const std::vector<std::string_view>& needles) {
  std::erase_if(lines, [&](const std::string& line) {
    return std::none_of(needles.begin(), needles.end(),
                        [&](std::string_view needle) { return line.find(needle) != line.npos; });
  });
  return lines;
}

TEST(SnapshotScan, HandsOnTheLinesThatHoldANeedleWhereverBlocksEnd) {
  const std::string text = "a 701 b\r\n\r\n 701 \n701 701\r 70\r1\r\n#Fields: x\n" +
                           std::string(" 7\0 701 ", 8) + std::string(200, 'z') +
                           " 701 \r\n\r\nend 70";
  const std::vector<std::vector<std::string_view>> needle_sets = {
      {" 701 "}, {"701", "#Fields: ", "z"}, {"end 70"}, {""}, {"1\r\n"}, {"nowhere"}};
  for (std::size_t piece : {1, 2, 3, 7, 64, 1 << 20}) {
    const std::vector<std::string> all = Seen(text, piece, true, {"unused"});
    ASSERT_EQ(all.size(), 10u);
    for (const auto& needles : needle_sets) {
      EXPECT_EQ(Seen(text, piece, false, needles), Holding(all, needles))
          << piece << " " << needles[0];
    }
    // The needles change with what the judge has seen.
    std::vector<std::string> switched = Holding(all, {"701"});
    switched.resize(2);
    switched.push_back(all.back());
    EXPECT_EQ(Seen(text, piece, false, {"701"}, {"end"}, 2), switched) << piece;
  }
}

// An unclean stop leaves NUL bytes stuck to the next record: in both scans a line's
// record is what follows its last NUL byte, and the trace tells of each such line.
TEST(SnapshotScan, HandsOnTheRecordAfterTheLastNulByteOfALine) {
  const std::string text = std::string(212, '\0') + "first 701\r\n" +
                           std::string("torn 701 \0\0\0next\r\n", 18) + "plain 701\r\n" +
                           std::string("\0\0\r\n", 4);
  const std::vector<std::string> records = {"first 701", "next", "plain 701", ""};
  for (std::size_t piece : {1, 5, 1 << 20}) {
    EXPECT_EQ(Seen(text, piece, true, {"unused"}), records) << piece;
    EXPECT_EQ(Seen(text, piece, false, {"701"}),
              std::vector<std::string>(records.begin(), records.end() - 1))
        << piece;
  }
  std::vector<std::string> trace;
  Seen(text, 1 << 20, true, {}, {}, 1000, &trace);
  ASSERT_EQ(trace.size(), 3u);
  EXPECT_TRUE(trace[0].ends_with(
      "  -  NUL bytes passed over (the first 212 bytes of the line) before the record:first 701"));
  EXPECT_TRUE(trace[1].ends_with("(the first 12 bytes of the line) before the record:next"));
}

}  // namespace
}  // namespace quennet
