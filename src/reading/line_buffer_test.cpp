#include "reading/line_buffer.h"

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
  LineBuffer lines(MemoryChunks{text, piece});
  std::vector<std::string> out;
  while (!lines.AtEnd()) out.push_back(lines.ReadLine());
  return out;
}

// The same through ReadLines: each block, cut into lines on its own, gives the lines
// in the order ReadLine gives them, so no block ends inside a line or a CR LF.
std::vector<std::string> LinesOfBlocks(const std::string& text, std::size_t piece) {
  LineBuffer blocks(MemoryChunks{text, piece});
  std::vector<std::string> out;
  while (!blocks.AtEnd()) {
    const std::string_view block = blocks.ReadLines();
    EXPECT_FALSE(block.empty());
    for (const std::string& line : AllLines(std::string(block), block.size())) out.push_back(line);
  }
  return out;
}

TEST(LineBuffer, EndsLinesAtCrLfLfAndLoneCrWhereverTheChunksBreak) {
  const char raw[] = "a\r\nb\nc\rd\r\r\ne\0f\n\nlast";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {std::string(raw, sizeof raw - 1), {"a", "b", "c", "d", "", std::string("e\0f", 3), "", "last"}},
      {"x\r\n", {"x"}}, {"x\r", {"x"}}, {"", {}}};
  for (const auto& [text, expected] : cases) {
    for (std::size_t piece : {1, 2, 3, 5, 64 * 1024}) {
      EXPECT_EQ(AllLines(text, piece), expected) << piece << text;
      EXPECT_EQ(LinesOfBlocks(text, piece), expected) << piece << text;
    }
  }
  const std::string long_line(300 * 1024, 'x');
  for (const std::string& text : {long_line + "\r\nnext", "a\r" + long_line + "\r"}) {
    EXPECT_EQ(LinesOfBlocks(text, 64 * 1024), AllLines(text, 64 * 1024));
  }
  EXPECT_EQ(AllLines(long_line + "\r\nnext", 64 * 1024), (std::vector<std::string>{long_line, "next"}));
}

// Input whose first read gives `text` and whose second read fails.
LineBuffer::ReadChunk FailingAfter(std::string text) {
  return [text, calls = 0](char* buffer, std::size_t) mutable -> std::size_t {
    if (++calls > 1) throw RuntimeError(57, "Device I/O error");
    std::memcpy(buffer, text.data(), text.size());
    return text.size();
  };
}

TEST(LineBuffer, AFailedReadEndsTheInput) {
  LineBuffer lines(FailingAfter("a\nb\r"));
  EXPECT_EQ(lines.ReadLine(), "a");
  EXPECT_THROW(lines.ReadLine(), RuntimeError);
  EXPECT_TRUE(lines.AtEnd());

  // A block read loses the same unfinished line.
  LineBuffer blocks(FailingAfter("a\nb\r"));
  EXPECT_EQ(blocks.ReadLines(), "a\n");
  EXPECT_THROW(blocks.ReadLines(), RuntimeError);
  EXPECT_TRUE(blocks.AtEnd());
}

}  // namespace
}  // namespace quennet
