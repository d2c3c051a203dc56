#include "platform/win32/win32_folder_security.h"

#include "platform/error.h"

// Placeholder until the ACL work lands: nothing calls these members yet.
namespace quennet {

FolderFacts Win32FolderSecurity::Inspect(const std::string&) { throw RuntimeError(kErrPathFileAccess, "Not built yet"); }
void Win32FolderSecurity::CreatePrivateFolder(const std::string&) { throw RuntimeError(kErrPathFileAccess, "Not built yet"); }
void Win32FolderSecurity::MakePrivate(const std::string&) { throw RuntimeError(kErrPathFileAccess, "Not built yet"); }

}  // namespace quennet
