#pragma once

#include <optional>
#include <string>

namespace quennet {

// The target that the symbolic link at `path` names (its print name, as mklink wrote
// it), in the ANSI code page; nothing when there is no entry at `path` or it is no
// symbolic link (a junction or another reparse point included). Throws RuntimeError
// when the entry cannot be read.
std::optional<std::string> SymbolicLinkTarget(const std::string& path);

}  // namespace quennet
