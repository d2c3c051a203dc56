#include "shared/trusted_folder.h"

#include "errors/error.h"

namespace quennet {
namespace {

[[noreturn]] void NotTrusted(const std::string& path, const std::string& why) {
  throw RuntimeError(kErrPermissionDenied, "The folder " + path + " is not trusted: " + why);
}

}  // namespace

void MakeTrustedFolder(FolderSecurity& folders, const std::string& path) {
  FolderFacts facts = folders.Inspect(path);
  if (!facts.exists) {
    folders.CreatePrivateFolder(path);
    // Whoever made it first, this run or another process, the rules below decide.
    facts = folders.Inspect(path);
  }
  if (facts.is_link) NotTrusted(path, "it is a symbolic link, junction or other reparse point");
  if (!facts.exists || !facts.is_folder) NotTrusted(path, "it is not a folder");
  if (!facts.owner_trusted) NotTrusted(path, "it is owned by another account");
  if (!facts.others_may_write) return;
  folders.MakePrivate(path);
  if (folders.Inspect(path).others_may_write) NotTrusted(path, "others may still write into it");
}

}  // namespace quennet
