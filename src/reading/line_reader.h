#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "errors/error.h"
#include "platform/files.h"

namespace quennet {

// Told of a read that failed. The reading ends there: what would follow cannot be
// trusted.
class ReadReporter {
 public:
  virtual ~ReadReporter() = default;
  virtual void ReadFailed(const RuntimeError& error) = 0;
};

// For a reading whose failure changes nothing but where it ends.
class IgnoredReadFailures : public ReadReporter {
 public:
  void ReadFailed(const RuntimeError&) override {}
};

// Cuts what a file reads in order into lines ending at CR LF, LF or a lone CR. A
// last line without an end is still a line. Bytes are kept as they are. Only the
// current line and one chunk are held, so a file of any size streams through. A
// failed read goes to the reporter and ends the input, the unfinished line lost;
// without a reporter it is thrown to the caller, and the input ends all the same.
class LineReader {
 public:
  explicit LineReader(FileInOrder& file, ReadReporter* reporter = nullptr);

  // The next line, into `line`, whose storage is reused; false when no line is left.
  bool ReadLine(std::string& line);
  // The lines held in the buffer, into `block`, each with its end (the last line of
  // the input may have none), cut where ReadLine would cut them: at least one line and
  // never part of one. The view lasts until the next call. False when none is left.
  bool ReadLines(std::string_view& block);
  // The whole remaining text, line ends included.
  std::string ReadAll();

 private:
  bool Fill();
  std::size_t ReadChunk();
  const char* Begin() const { return buffer_.get() + begin_; }

  FileInOrder& file_;
  ReadReporter* reporter_;
  // Bytes [begin_, end_) of the buffer are read but not yet handed out.
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool input_ended_ = false;
  bool failed_ = false;
};

// Text held in memory, read in order at most `piece` bytes at a time.
class TextInMemory : public FileInOrder {
 public:
  explicit TextInMemory(std::string_view text,
                        std::size_t piece = std::numeric_limits<std::size_t>::max())
      : text_(text), piece_(piece) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string_view text_;
  std::size_t piece_;
  std::size_t served_ = 0;
};

}  // namespace quennet
