#pragma once

#include "platform/folder_security.h"

namespace quennet {

// Folder access by owner and mode bits: the trusted are the effective user and root.
class PosixFolderSecurity : public FolderSecurity {
 public:
  FolderFacts Inspect(const std::string& path) override;
  void CreatePrivateFolder(const std::string& path) override;
  void MakePrivate(const std::string& path) override;
  void RemoveTree(const std::string& path) override;
};

}  // namespace quennet
