#pragma once

#include <string>
#include <string_view>

namespace quennet {

// The name under which process `pid` makes its copy before it replaces `to`: `to`,
// ".", the process id, ".tmp". The id tells a later run whether the copy is stale.
std::string CopyName(const std::string& to, unsigned long pid);

// The process id in `entry`, the name of a copy to the file named `name` (such as
// "kfirewall.log.123.tmp" for "kfirewall.log"); 0 when it is no such copy.
unsigned long CopyOwner(std::string_view entry, std::string_view name);

}  // namespace quennet
