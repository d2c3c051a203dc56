#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

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

// Reads a file in order from its start: 8-bit text, bytes kept as they are.
class FileInOrder {
 public:
  virtual ~FileInOrder() = default;
  // Up to `size` of the next bytes into `buffer`: how many, 0 only at the file's end.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// Reads a file held open at offsets that the caller names.
class PositionedFile {
 public:
  virtual ~PositionedFile() = default;
  // The file's size in bytes.
  virtual std::uint64_t Size() = 0;
  // The `size` bytes from `offset` on (fewer at the file's end).
  virtual std::string ReadAt(std::uint64_t offset, std::size_t size) = 0;
  // The stamp of the file open here, whatever name it has meanwhile.
  virtual FileStamp Stamp() = 0;
};

// A file opened for reading both ways: reading in order goes on where it was,
// whatever ReadAt read meanwhile. Closed when destroyed. A failing member throws
// RuntimeError.
class TextStream : public FileInOrder, public PositionedFile {};

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
