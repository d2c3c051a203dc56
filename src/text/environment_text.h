#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quennet {

// Replaces every %name% in `text` by lookup(name); a name that lookup does not know
// stays as written, percent signs included.
std::string ExpandReferences(
    const std::string& text,
    const std::function<std::optional<std::string>(const std::string&)>& lookup);

}  // namespace quennet
