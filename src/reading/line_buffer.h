#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <limits>
#include <string>
#include <string_view>

namespace quennet {

// Cuts text that arrives in chunks into lines ending at CR LF, LF or a lone CR. A
// last line without an end is still a line. Bytes are kept as they are. Only the
// current line and one chunk are held, so a file of any size streams through.
class LineBuffer {
 public:
  // Fills the buffer and returns how many bytes it wrote; 0 at the end of the input.
  // May throw; the input then counts as ended.
  using ReadChunk = std::function<std::size_t(char* buffer, std::size_t size)>;

  explicit LineBuffer(ReadChunk read_chunk);

  bool AtEnd();
  // The next line, into `line`, whose storage is reused. Throws RuntimeError when
  // called at the end.
  void ReadLine(std::string& line);
  std::string ReadLine() {
    std::string line;
    ReadLine(line);
    return line;
  }
  // The lines held in the buffer, each with its end (the last line of the input may
  // have none), cut where ReadLine would cut them: at least one line and never part
  // of one. The view lasts until the next call. Throws RuntimeError at the end.
  std::string_view ReadLines();
  std::string ReadAll();

 private:
  bool Fill();
  const char* Begin() const { return buffer_.get() + begin_; }

  ReadChunk read_chunk_;
  // Bytes [begin_, end_) of the buffer are read but not yet handed out.
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool input_ended_ = false;
};

// A LineBuffer's input from text held in memory, at most `piece` bytes a chunk.
struct MemoryChunks {
  std::string_view text;
  std::size_t piece = std::numeric_limits<std::size_t>::max();
  std::size_t served = 0;

  std::size_t operator()(char* buffer, std::size_t size);
};

}  // namespace quennet
