#pragma once

#include "platform/folder_security.h"

namespace quennet {

// Folder access by owner and DACL: the trusted are SYSTEM, Administrators,
// TrustedInstaller and the account the program runs as.
class Win32FolderSecurity : public FolderSecurity {
 public:
  FolderFacts Inspect(const std::string& path) override;
  void CreatePrivateFolder(const std::string& path) override;
  void MakePrivate(const std::string& path) override;
  void RemoveTree(const std::string& path) override;
};

}  // namespace quennet
