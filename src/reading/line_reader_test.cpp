#include "reading/line_reader.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "errors/error.h"
#include "platform/fake/fake_files.h"

namespace quennet {
namespace {

// Serves `text` in pieces of at most `piece` bytes, to put line ends on chunk edges.
std::vector<std::string> AllLines(const std::string& text, std::size_t piece) {
  TextInMemory file(text, piece);
  LineReader lines(file);
  std::vector<std::string> out;
  for (std::string line; lines.ReadLine(line);) out.push_back(line);
  return out;
}

// The same through ReadLines: each block, cut into lines on its own, gives the lines
// in the order ReadLine gives them, so no block ends inside a line or a CR LF.
std::vector<std::string> LinesOfBlocks(const std::string& text, std::size_t piece) {
  TextInMemory file(text, piece);
  LineReader blocks(file);
  std::vector<std::string> out;
  for (std::string_view block; blocks.ReadLines(block);) {
    EXPECT_FALSE(block.empty());
    for (const std::string& line : AllLines(std::string(block), block.size())) out.push_back(line);
  }
  return out;
}

TEST(LineReader, EndsLinesAtCrLfLfAndLoneCrWhereverTheChunksBreak) {
  const std::string long_line(300 * 1024, 'x');  // longer than any buffer
  const char raw[] = "a\r\nb\nc\rd\r\r\ne\0f\n\nlast";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {std::string(raw, sizeof raw - 1),
       {"a", "b", "c", "d", "", std::string("e\0f", 3), "", "last"}},
      {"x\r\n", {"x"}},
      {"x\r", {"x"}},
      {"", {}},
      {long_line + "\r\nnext", {long_line, "next"}},
      {"a\r" + long_line + "\r", {"a", long_line}}};
  for (const auto& [text, expected] : cases) {
    for (std::size_t piece : {1, 2, 3, 5, 64 * 1024}) {
      EXPECT_EQ(AllLines(text, piece), expected) << piece << text.substr(0, 20);
      EXPECT_EQ(LinesOfBlocks(text, piece), expected) << piece << text.substr(0, 20);
    }
  }
}

struct Reports : ReadReporter {
  void ReadFailed(const RuntimeError& error) override { seen.push_back(error.description()); }
  std::vector<std::string> seen;
};

// A failed read ends the input and loses the unfinished line: thrown without a
// reporter, reported once with one.
TEST(LineReader, AFailedReadEndsTheInput) {
  std::string line;
  std::string_view block;
  FakeFileService files;  // reads of "a\nb\r" and more, failing after the first four bytes
  files.files["f"] = "a\nb\r and more";
  files.FailReadsFrom("f", 4);
  const auto thrown = files.OpenTextFile("f");
  LineReader lines(*thrown);
  EXPECT_TRUE(lines.ReadLine(line));
  EXPECT_EQ(line, "a");
  EXPECT_THROW(lines.ReadLine(line), RuntimeError);
  EXPECT_FALSE(lines.ReadLine(line));

  Reports reports;
  const auto reported = files.OpenTextFile("f");
  LineReader blocks(*reported, &reports);
  EXPECT_TRUE(blocks.ReadLines(block));
  EXPECT_EQ(block, "a\n");
  EXPECT_FALSE(blocks.ReadLines(block));
  EXPECT_FALSE(blocks.ReadLines(block));
  EXPECT_EQ(reports.seen, std::vector<std::string>{"Device I/O error"});
}

}  // namespace
}  // namespace quennet
