#include "platform/fake/fake_files.h"

#include <algorithm>
#include <functional>

#include "errors/error.h"
#include "reading/line_reader.h"

namespace quennet {
namespace {

constexpr long kErrDeviceIo = 57;

// Text that is the same has the same stamp.
FileStamp StampOf(const std::string& text) {
  return {0, 0, text.size(), static_cast<std::int64_t>(std::hash<std::string>{}(text)), 0};
}

class FakeTextStream : public TextStream {
 public:
  FakeTextStream(std::string text, std::size_t read_piece, std::size_t failing_from,
                 std::function<void()> after_read_at)
      : text_(std::move(text)),
        failing_from_(std::min(failing_from, text_.size())),
        head_(std::string_view(text_).substr(0, failing_from_), read_piece),
        after_read_at_(std::move(after_read_at)) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = head_.Read(buffer, size);
    if (n == 0 && failing_from_ < text_.size())
      throw RuntimeError(kErrDeviceIo, "Device I/O error");
    return n;
  }
  std::uint64_t Size() override { return text_.size(); }
  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    std::string piece =
        offset < text_.size() ? text_.substr(static_cast<std::size_t>(offset), size) : "";
    if (after_read_at_) after_read_at_();
    return piece;
  }
  FileStamp Stamp() override { return StampOf(text_); }

 private:
  std::string text_;
  std::size_t failing_from_;
  TextInMemory head_;
  std::function<void()> after_read_at_;
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
  const auto failing = failing_reads_.find(path);
  std::function<void()> hook;
  if (after_read_at) hook = [this, path] { after_read_at(path); };
  return std::make_unique<FakeTextStream>(
      found->second, read_piece,
      failing == failing_reads_.end() ? std::string::npos : failing->second, hook);
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

void FakeFileService::RemoveStaleCopies(const std::string& to) {
  changes.push_back("RemoveStaleCopies " + to);
}

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
