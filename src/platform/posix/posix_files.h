#pragma once

#include "platform/files.h"

namespace quennet {

// Files and folders of this host. Every backslash in a path is read as a slash;
// nothing else in a path is translated.
class PosixFileService : public FileService {
 public:
  bool FileExists(const std::string& path) override;
  FileStamp Stamp(const std::string& path) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
  void AppendLine(const std::string& path, const std::string& line) override;
  void RemoveFile(const std::string& path) override;
  std::optional<std::string> LinkTarget(const std::string& path) override;
  void RemoveStaleCopies(const std::string& to) override;
  void WriteWholeFile(const std::string& path, const std::string& bytes) override;
};

}  // namespace quennet
