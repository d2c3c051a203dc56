#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quennet {

// What tells one state of a file from another: which file it is (its volume and its
// number there), its size, and when its content and its attributes last changed, in
// the platform's own units. A file that grows changes its size; one put in its place
// is another file.
struct FileStamp {
  std::uint64_t volume = 0;
  std::uint64_t id = 0;
  std::uint64_t size = 0;
  std::int64_t written = 0;
  std::int64_t changed = 0;
  bool operator==(const FileStamp&) const = default;
};

// A text file opened for reading: 8-bit text, bytes kept as they are. Closed when
// destroyed. A failing member throws RuntimeError.
class TextStream {
 public:
  virtual ~TextStream() = default;
  virtual bool AtEndOfStream() = 0;
  // The whole remaining text, line ends included.
  virtual std::string ReadAll() = 0;
  // The file's size in bytes.
  virtual std::uint64_t Size() = 0;
  // The `size` bytes from `offset` on (fewer at the file's end), without reading the
  // bytes before them; the reading in order below goes on where it was.
  virtual std::string ReadAt(std::uint64_t offset, std::size_t size) = 0;
  // The stamp of the file open here, whatever name it has meanwhile.
  virtual FileStamp Stamp() = 0;
  // The next line without its end, into `line`, whose storage is reused: reading a
  // large log line by line then allocates nothing per line. A line ends at CR LF,
  // LF or a lone CR.
  virtual void ReadLine(std::string& line) = 0;
  std::string ReadLine() {
    std::string line;
    ReadLine(line);
    return line;
  }
  // The next lines, each with its end (the last line of the file may have none), as
  // they stand in a block of the file, without a copy per line: at least one line and
  // never part of one, cut where ReadLine cuts. The view lasts until the next call.
  virtual std::string_view ReadLines() = 0;
};

// Every file and folder operation of the program. Paths are written the Windows
// way, with backslashes. A failing member throws RuntimeError.
class FileService {
 public:
  virtual ~FileService() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // The stamp of the file at `path`; a symbolic link or reparse point is followed.
  virtual FileStamp Stamp(const std::string& path) = 0;
  // Replaces `to` whole with a copy of `from`: a reader of `to` sees either the old
  // file or the new one, never a half-written one, and a failed copy leaves the
  // old one as it was. A `from` that is a symbolic link or reparse point is followed
  // (the live log may be one); a link in the place of `to` is replaced, never
  // written through.
  virtual void CopyFile(const std::string& from, const std::string& to) = 0;
  // Removes the file at `path`, or the link or reparse point itself when it is one;
  // a missing file is no error.
  virtual void RemoveFile(const std::string& path) = 0;
  // The target that the symbolic link at `path` names, as written in the link; nothing
  // when there is no entry at `path` or it is no symbolic link.
  virtual std::optional<std::string> LinkTarget(const std::string& path) = 0;
  // Removes the temporary files that a CopyFile to `to` left behind in a process that
  // no longer runs. Best effort: one that cannot be removed stays, silently.
  virtual void RemoveStaleCopies(const std::string& to) = 0;
  // Opens an existing file for reading; a missing file is never created, and a
  // symbolic link or reparse point is never opened (nor what it points to).
  virtual std::unique_ptr<TextStream> OpenTextFile(const std::string& path) = 0;
  // Appends `line` and CR LF in one write, creating the file when missing, so that
  // lines of processes appending at once never mix. A symbolic link or reparse point
  // in the file's place is not written through: it fails like an unwritable file.
  virtual void AppendLine(const std::string& path, const std::string& line) = 0;
  // Replaces the file's bytes with `bytes`, creating it when missing.
  virtual void WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace quennet
