#pragma once

#include <cstddef>
#include <functional>
#include <string>

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
  // Throws RuntimeError when called at the end.
  std::string ReadLine();
  std::string ReadAll();

 private:
  bool Fill();

  ReadChunk read_chunk_;
  std::string buffer_;
  std::size_t pos_ = 0;
  bool input_ended_ = false;
};

}  // namespace quennet
