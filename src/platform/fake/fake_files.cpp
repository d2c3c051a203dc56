#include "platform/fake/fake_files.h"

#include <functional>

#include "errors/error.h"
#include "reading/line_buffer.h"

namespace quennet {
namespace {

constexpr long kErrDeviceIo = 57;

// Text that is the same has the same stamp.
FileStamp StampOf(const std::string& text) {
  return {0, 0, text.size(), static_cast<std::int64_t>(std::hash<std::string>{}(text)), 0};
}

class FakeTextStream : public TextStream {
 public:
  FakeTextStream(std::string text, std::size_t read_piece, std::set<int> failing_lines, std::function<void()> after_read_at)
      : text_(std::move(text)),
        chunks_{text_, read_piece},
        lines_(std::ref(chunks_)),
        failing_lines_(std::move(failing_lines)),
        after_read_at_(std::move(after_read_at)) {}

  bool AtEndOfStream() override { return lines_.AtEnd(); }
  std::string ReadAll() override { return lines_.ReadAll(); }
  std::uint64_t Size() override { return text_.size(); }
  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    std::string piece = offset < text_.size() ? text_.substr(static_cast<std::size_t>(offset), size) : "";
    if (after_read_at_) after_read_at_();
    return piece;
  }
  FileStamp Stamp() override { return StampOf(text_); }
  void ReadLine(std::string& line) override {
    std::string next = lines_.ReadLine();
    if (failing_lines_.count(reads_++)) throw RuntimeError(kErrDeviceIo, "Device I/O error");
    line = std::move(next);
  }
  // With lines set to fail, a line at a time, so that each read counts as ReadLine's.
  std::string_view ReadLines() override {
    if (failing_lines_.empty()) return lines_.ReadLines();
    ReadLine(block_);
    block_ += '\n';
    return block_;
  }

 private:
  std::string text_;
  MemoryChunks chunks_;
  LineBuffer lines_;
  std::set<int> failing_lines_;
  std::function<void()> after_read_at_;
  int reads_ = 0;
  std::string block_;
};

}  // namespace

std::vector<std::string> FakeFileService::Lines(const std::string& path) const {
  std::vector<std::string> lines;
  const auto found = files.find(path);
  if (found == files.end()) return lines;
  const std::string& text = found->second;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

void FakeFileService::Check(Op op, const std::string& path) const {
  if (failing_.count({op, path})) throw RuntimeError(kErrPermissionDenied, "Permission denied");
}

bool FakeFileService::FileExists(const std::string& path) {
  Check(Op::FileExists, path);
  return files.count(path) > 0;
}

FileStamp FakeFileService::Stamp(const std::string& path) {
  const auto found = files.find(path);
  if (found == files.end()) throw RuntimeError(kErrFileNotFound, "File not found");
  return StampOf(found->second);
}

void FakeFileService::CopyFile(const std::string& from, const std::string& to) {
  Check(Op::CopyFile, to);
  const auto found = files.find(from);
  if (found == files.end()) throw RuntimeError(kErrFileNotFound, "File not found");
  changes.push_back("CopyFile " + from + " -> " + to);
  files[to] = found->second;
}

std::unique_ptr<TextStream> FakeFileService::OpenTextFile(const std::string& path) {
  Check(Op::OpenTextFile, path);
  const auto found = files.find(path);
  if (found == files.end()) throw RuntimeError(kErrFileNotFound, "File not found");
  const auto lines = failing_lines_.find(path);
  std::function<void()> hook;
  if (after_read_at) hook = [this, path] { after_read_at(path); };
  return std::make_unique<FakeTextStream>(found->second, read_piece,
                                          lines == failing_lines_.end() ? std::set<int>{} : lines->second, hook);
}

void FakeFileService::RemoveFile(const std::string& path) {
  Check(Op::RemoveFile, path);
  changes.push_back("RemoveFile " + path);
  files.erase(path);
  links.erase(path);
}

std::optional<std::string> FakeFileService::LinkTarget(const std::string& path) {
  const auto found = links.find(path);
  if (found == links.end()) return std::nullopt;
  return found->second;
}

void FakeFileService::RemoveStaleCopies(const std::string& to) { changes.push_back("RemoveStaleCopies " + to); }

void FakeFileService::AppendLine(const std::string& path, const std::string& line) {
  Check(Op::AppendLine, path);
  changes.push_back("AppendLine " + path);
  files[path] += line + "\r\n";
}

void FakeFileService::WriteWholeFile(const std::string& path, const std::string& bytes) {
  Check(Op::WriteWholeFile, path);
  changes.push_back("WriteWholeFile " + path);
  files[path] = bytes;
}

}  // namespace quennet
