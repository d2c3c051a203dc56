#include "reading/line_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "errors/error.h"

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

// A file whose first read gives `text` and whose second read fails.
class FailingAfter : public FileInOrder {
 public:
  explicit FailingAfter(std::string text) : text_(std::move(text)) {}
  std::size_t Read(char* buffer, std::size_t) override {
    if (++calls_ > 1) throw RuntimeError(57, "Device I/O error");
    std::memcpy(buffer, text_.data(), text_.size());
    return text_.size();
  }

 private:
  std::string text_;
  int calls_ = 0;
};

struct Reports : ReadReporter {
  void ReadFailed(const RuntimeError& error) override { seen.push_back(error.description()); }
  std::vector<std::string> seen;
};

// A failed read ends the input and loses the unfinished line: thrown without a
// reporter, reported once with one.
TEST(LineReader, AFailedReadEndsTheInput) {
  std::string line;
  std::string_view block;
  FailingAfter thrown("a\nb\r");
  LineReader lines(thrown);
  EXPECT_TRUE(lines.ReadLine(line));
  EXPECT_EQ(line, "a");
  EXPECT_THROW(lines.ReadLine(line), RuntimeError);
  EXPECT_FALSE(lines.ReadLine(line));

  Reports reports;
  FailingAfter reported("a\nb\r");
  LineReader blocks(reported, &reports);
  EXPECT_TRUE(blocks.ReadLines(block));
  EXPECT_EQ(block, "a\n");
  EXPECT_FALSE(blocks.ReadLines(block));
  EXPECT_FALSE(blocks.ReadLines(block));
  EXPECT_EQ(reports.seen, std::vector<std::string>{"Device I/O error"});
}

}  // namespace
}  // namespace quennet
