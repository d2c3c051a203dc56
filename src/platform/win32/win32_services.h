#pragma once

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/version.h"

namespace quennet {

class Win32FileService : public FileService {
 public:
  bool FolderExists(const std::string& path) override;
  void CreateFolder(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  void CopyFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<TextStream> OpenTextFile(const std::string& path) override;
  void AppendLine(const std::string& path, const std::string& line) override;
  void RemoveFile(const std::string& path) override;
  void RemoveStaleCopies(const std::string& to) override;
};

class Win32Shell : public ShellService {
 public:
  std::string ExpandEnvironmentStrings(const std::string& text) override;
  void run(const std::string& command_line) override;
  void Exec(const std::string& command_line) override;
};

class Win32Clock : public Clock {
 public:
  DateTime Now() override;
  std::int64_t ElapsedMilliseconds() override;
  void Sleep(int milliseconds) override;
  void DoEvents() override;
};

// Handles are the HKEY values themselves.
class Win32Registry : public RegistryService {
 public:
  std::int32_t RegOpenKeyA(RegHandle root, const std::string& sub_key, RegHandle& key) override;
  std::int32_t RegQueryValueExA(RegHandle key, const std::string& value_name, std::uint32_t& type,
                                unsigned char* data, std::uint32_t& size) override;
  std::int32_t RegCloseKey(RegHandle key) override;
};

class Win32Version : public VersionService {
 public:
  void GetVersionExA(OsVersionInfoA& info) override;
};

}  // namespace quennet
