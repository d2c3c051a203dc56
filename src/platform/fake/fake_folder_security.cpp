#include "platform/fake/fake_folder_security.h"

#include "errors/error.h"

namespace quennet {
namespace {

constexpr FolderFacts kPrivate{true, false, true, true, false};

}  // namespace

FolderFacts FakeFolderSecurity::Inspect(const std::string& path) {
  const auto found = folders.find(path);
  return found == folders.end() ? FolderFacts{} : found->second;
}

void FakeFolderSecurity::CreatePrivateFolder(const std::string& path) {
  if (failing.contains(path)) throw RuntimeError(kErrPermissionDenied, "Permission denied");
  changes.push_back("CreatePrivateFolder " + path);
  folders.try_emplace(path, kPrivate);
}

void FakeFolderSecurity::MakePrivate(const std::string& path) {
  if (failing.contains(path)) throw RuntimeError(kErrPermissionDenied, "Permission denied");
  changes.push_back("MakePrivate " + path);
  folders[path] = kPrivate;
}

void FakeFolderSecurity::RemoveTree(const std::string& path) {
  if (failing.contains(path)) throw RuntimeError(kErrPermissionDenied, "Permission denied");
  changes.push_back("RemoveTree " + path);
  std::erase_if(folders, [&](const auto& folder) {
    return folder.first == path || folder.first.starts_with(path + "\\");
  });
}

}  // namespace quennet
