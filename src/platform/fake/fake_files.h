#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"

namespace quennet {

// Files and folders in memory. Records every change it is asked for and fails any
// operation on any path on request. Paths are taken as written.
class FakeFileService : public FileService {
 public:
  enum class Op { FileExists, CopyFile, OpenTextFile, AppendLine, RemoveFile, WriteWholeFile };

  std::map<std::string, std::string> files;
  // Symbolic links by their paths, with their targets.
  std::map<std::string, std::string> links;
  // "CopyFile <from> -> <to>", "AppendLine <path>", "RemoveFile <path>",
  // "RemoveStaleCopies <to>", "WriteWholeFile <path>".
  std::vector<std::string> changes;

  // From now on, `op` on `path` throws (for CopyFile, `path` is the destination).
  void Fail(Op op, const std::string& path) { failing_.insert({op, path}); }
  // Streams opened from `path` fail to read in order past its first `offset` bytes.
  void FailReadsFrom(const std::string& path, std::size_t offset) { failing_reads_[path] = offset; }
  // Streams opened from now on read at most this many bytes at a time, which puts
  // line ends on the edges of what they hold.
  std::size_t read_piece = std::numeric_limits<std::size_t>::max();
  // Runs after every ReadAt of a stream opened from `path`, for a test to play another
  // process meanwhile.
  std::function<void(const std::string& path)> after_read_at;
  // The lines appended to `path`, without their CR LF.
  std::vector<std::string> Lines(const std::string& path) const;

  bool FileExists(const std::string& path) override;
  // A file's stamp is that of its text: the same text, the same stamp.
  FileStamp Stamp(const std::string& path) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
  void AppendLine(const std::string& path, const std::string& line) override;
  void RemoveFile(const std::string& path) override;
  std::optional<std::string> LinkTarget(const std::string& path) override;
  void RemoveStaleCopies(const std::string& to) override;
  void WriteWholeFile(const std::string& path, const std::string& bytes) override;

 private:
  void Check(Op op, const std::string& path) const;

  std::set<std::pair<Op, std::string>> failing_;
  std::map<std::string, std::size_t> failing_reads_;
};

}  // namespace quennet
