#include "platform/line_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/error.h"

namespace quennet {
namespace {

// Serves `text` in pieces of at most `piece` bytes, to put line ends on chunk edges.
LineBuffer::ReadChunk Pieces(const std::string& text, std::size_t piece) {
  auto served = std::make_shared<std::size_t>(0);
  return [text, piece, served](char* buffer, std::size_t size) {
    const std::size_t n = std::min({size, piece, text.size() - *served});
    std::memcpy(buffer, text.data() + *served, n);
    *served += n;
    return n;
  };
}

std::vector<std::string> AllLines(const std::string& text, std::size_t piece) {
  LineBuffer lines(Pieces(text, piece));
  std::vector<std::string> out;
  while (!lines.AtEnd()) out.push_back(lines.ReadLine());
  return out;
}

TEST(LineBuffer, EndsLinesAtCrLfLfAndLoneCrWhereverTheChunksBreak) {
  const char raw[] = "a\r\nb\nc\rd\r\r\ne\0f\n\nlast";
  const std::string text(raw, sizeof raw - 1);
  const std::vector<std::string> expected = {"a", "b", "c", "d", "", std::string("e\0f", 3), "", "last"};
  for (std::size_t piece : {1, 2, 3, 5, 64 * 1024}) {
    EXPECT_EQ(AllLines(text, piece), expected) << "piece " << piece;
  }
}

TEST(LineBuffer, TextEndingInALineEndHasNoEmptyLastLine) {
  EXPECT_EQ(AllLines("x\r\n", 1), std::vector<std::string>{"x"});
  EXPECT_EQ(AllLines("x\r", 1), std::vector<std::string>{"x"});
  EXPECT_TRUE(AllLines("", 1).empty());
}

TEST(LineBuffer, ReadsALineLongerThanManyChunks) {
  const std::string long_line(300 * 1024, 'x');
  EXPECT_EQ(AllLines(long_line + "\r\nnext", 64 * 1024), (std::vector<std::string>{long_line, "next"}));
}

TEST(LineBuffer, ReadAllReturnsTheRestWithItsLineEnds) {
  LineBuffer lines(Pieces("one\r\ntwo\r\nthree\n", 4));
  EXPECT_EQ(lines.ReadLine(), "one");
  EXPECT_EQ(lines.ReadAll(), "two\r\nthree\n");
  EXPECT_TRUE(lines.AtEnd());
  EXPECT_THROW(lines.ReadLine(), RuntimeError);
}

TEST(LineBuffer, AFailedReadEndsTheInput) {
  int calls = 0;
  LineBuffer lines([&calls](char* buffer, std::size_t) -> std::size_t {
    if (++calls > 1) throw RuntimeError(57, "Device I/O error");
    std::memcpy(buffer, "a\nb", 3);
    return 3;
  });
  EXPECT_EQ(lines.ReadLine(), "a");
  EXPECT_THROW(lines.ReadLine(), RuntimeError);
  EXPECT_TRUE(lines.AtEnd());
}

}  // namespace
}  // namespace quennet
