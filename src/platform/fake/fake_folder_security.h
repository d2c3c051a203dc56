#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/folder_security.h"

namespace quennet {

// Folder access in memory: the facts it is given, the changes it is asked for
// ("CreatePrivateFolder <path>", "MakePrivate <path>", "RemoveTree <path>"), and
// failures on request. A folder it creates or makes private is trusted and private
// from then on; one it removes is gone, with what lies in it.
class FakeFolderSecurity : public FolderSecurity {
 public:
  std::map<std::string, FolderFacts> folders;
  std::vector<std::string> changes;
  std::set<std::string> failing;

  FolderFacts Inspect(const std::string& path) override;
  void CreatePrivateFolder(const std::string& path) override;
  void MakePrivate(const std::string& path) override;
  void RemoveTree(const std::string& path) override;
};

}  // namespace quennet
