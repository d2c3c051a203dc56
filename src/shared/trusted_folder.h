#pragma once

#include <string>

#include "platform/folder_security.h"

namespace quennet {

// Makes `path` a folder that only the trusted can write into, or ends the run: a
// missing folder is created private; an existing one must be a real folder (no link
// or reparse point) with a trusted owner, and one that others may write into has its
// access reset. Any other folder throws RuntimeError naming it and saying why it is
// not trusted, as does one that cannot be made.
void MakeTrustedFolder(FolderSecurity& folders, const std::string& path);

}  // namespace quennet
