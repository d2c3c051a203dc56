#include "reading/line_reader.h"

#include <algorithm>
#include <cstring>

namespace quennet {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

}  // namespace

LineReader::LineReader(FileInOrder& file, ReadReporter* reporter)
    : file_(file),
      reporter_(reporter),
      buffer_(std::make_unique_for_overwrite<char[]>(kChunkSize)),
      capacity_(kChunkSize) {}

bool LineReader::Fill() {
  if (input_ended_) return false;
  // Move what is not handed out yet to the front; a line longer than the buffer
  // makes it grow.
  const std::size_t kept = end_ - begin_;
  if (kept + kChunkSize > capacity_) {
    capacity_ = std::max(2 * capacity_, kept + kChunkSize);
    auto larger = std::make_unique_for_overwrite<char[]>(capacity_);
    std::memcpy(larger.get(), Begin(), kept);
    buffer_ = std::move(larger);
  } else {
    std::memmove(buffer_.get(), Begin(), kept);
  }
  begin_ = 0;
  end_ = kept;
  const std::size_t got = ReadChunk();
  end_ += got;
  if (got == 0) input_ended_ = true;
  return got > 0;
}

std::size_t LineReader::ReadChunk() {
  try {
    return file_.Read(buffer_.get() + end_, capacity_ - end_);
  } catch (const RuntimeError& error) {
    // What follows a failed read cannot be trusted, nor the unfinished line before
    // it: the input ends here.
    begin_ = end_ = 0;
    input_ended_ = failed_ = true;
    if (!reporter_) throw;
    reporter_->ReadFailed(error);
    return 0;
  }
}

bool LineReader::ReadLine(std::string& line) {
  if (begin_ == end_ && !Fill()) return false;
  std::size_t searched = 0;  // how much of the line is known to hold no line end
  for (;;) {
    const char* start = Begin();
    const std::size_t available = end_ - begin_;
    const char* lf =
        static_cast<const char*>(std::memchr(start + searched, '\n', available - searched));
    const std::size_t cr_span = (lf ? static_cast<std::size_t>(lf - start) : available) - searched;
    const char* cr = static_cast<const char*>(std::memchr(start + searched, '\r', cr_span));
    const char* end = cr ? cr : lf;
    // A CR that ends what has been read so far may still have its LF coming.
    if (end && !(cr && cr + 1 == start + available && !input_ended_)) {
      line.assign(start, end);
      begin_ += static_cast<std::size_t>(end - start) + 1;
      if (cr && begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
      return true;
    }
    searched = end ? static_cast<std::size_t>(end - start) : available;
    if (!Fill()) {
      if (failed_) return false;
      line.assign(Begin(), searched);
      begin_ += searched;
      if (begin_ < end_ && buffer_[begin_] == '\r') ++begin_;
      return true;
    }
  }
}

bool LineReader::ReadLines(std::string_view& block) {
  if (begin_ == end_ && !Fill()) return false;
  std::size_t searched = 0;  // how much of the buffer is known to hold no line end
  for (;;) {
    const char* start = Begin();
    std::size_t cut = end_ - begin_;
    // A CR that ends what has been read so far may still have its LF coming.
    if (cut > searched && start[cut - 1] == '\r' && !input_ended_) --cut;
    const std::size_t unsearched = cut;
    while (cut > searched && start[cut - 1] != '\n' && start[cut - 1] != '\r') --cut;
    if (cut > searched || input_ended_) {
      if (cut == searched) cut = end_ - begin_;  // the last line, without an end
      begin_ += cut;
      block = {start, cut};
      return true;
    }
    searched = unsearched;
    Fill();
    if (failed_) return false;
  }
}

std::string LineReader::ReadAll() {
  std::string rest;
  do {
    rest.append(Begin(), end_ - begin_);
    begin_ = end_;
  } while (Fill());
  return rest;
}

std::size_t TextInMemory::Read(char* buffer, std::size_t size) {
  const std::size_t n = std::min({size, piece_, text_.size() - served_});
  std::memcpy(buffer, text_.data() + served_, n);
  served_ += n;
  return n;
}

}  // namespace quennet
