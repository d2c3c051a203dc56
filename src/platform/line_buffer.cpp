#include "platform/line_buffer.h"

#include <cstring>

#include "platform/error.h"

namespace quennet {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr long kErrInputPastEnd = 62;

}  // namespace

LineBuffer::LineBuffer(ReadChunk read_chunk) : read_chunk_(std::move(read_chunk)) {}

bool LineBuffer::Fill() {
  if (input_ended_) return false;
  // Drop what has been handed out, so the buffer holds one line and one chunk.
  buffer_.erase(0, pos_);
  pos_ = 0;
  const std::size_t old_size = buffer_.size();
  buffer_.resize(old_size + kChunkSize);
  std::size_t got = 0;
  try {
    got = read_chunk_(buffer_.data() + old_size, kChunkSize);
  } catch (...) {
    // What follows a failed read cannot be trusted: the stream ends here.
    buffer_.clear();
    input_ended_ = true;
    throw;
  }
  buffer_.resize(old_size + got);
  if (got == 0) input_ended_ = true;
  return got > 0;
}

bool LineBuffer::AtEnd() { return pos_ == buffer_.size() && !Fill(); }

std::string LineBuffer::ReadLine() {
  if (AtEnd()) throw RuntimeError(kErrInputPastEnd, "Input past end of file");
  std::size_t searched = pos_;
  for (;;) {
    const char* begin = buffer_.data() + searched;
    const std::size_t length = buffer_.size() - searched;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', length));
    const std::size_t cr_span = lf ? static_cast<std::size_t>(lf - begin) : length;
    const char* cr = static_cast<const char*>(std::memchr(begin, '\r', cr_span));
    const char* end = cr ? cr : lf;
    if (end && !(cr && cr + 1 == buffer_.data() + buffer_.size() && !input_ended_)) {
      const std::size_t end_pos = static_cast<std::size_t>(end - buffer_.data());
      std::string line = buffer_.substr(pos_, end_pos - pos_);
      pos_ = end_pos + 1;
      if (cr && pos_ < buffer_.size() && buffer_[pos_] == '\n') ++pos_;
      return line;
    }
    // No complete line end yet (or a CR whose LF may be in the next chunk).
    const std::size_t line_so_far = (end ? static_cast<std::size_t>(end - buffer_.data()) : buffer_.size()) - pos_;
    if (!Fill()) {
      std::string line = buffer_.substr(pos_, line_so_far);
      pos_ += line_so_far;
      if (pos_ < buffer_.size() && buffer_[pos_] == '\r') ++pos_;
      return line;
    }
    searched = pos_ + line_so_far;
  }
}

std::string LineBuffer::ReadAll() {
  std::string rest = buffer_.substr(pos_);
  pos_ = buffer_.size();
  while (Fill()) {
    rest.append(buffer_, pos_, std::string::npos);
    pos_ = buffer_.size();
  }
  return rest;
}

}  // namespace quennet
