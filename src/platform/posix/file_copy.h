#pragma once

#include <string>

namespace quennet {

// Replaces `to` with a copy of `from` in one step: the copy is made in a new file
// beside `to` and then renamed over it, so a reader of `to` (in any process) sees
// the old file or the new one, never a half-written one. On failure `to` is left
// as it was and the new file is removed. A link as `from` is followed; a link as
// `to` is replaced itself.
void ReplaceWithCopy(const std::string& from, const std::string& to);

// Removes the copies to `to` that processes no longer running left beside it.
// Best effort: errors are ignored.
void RemoveStaleCopies(const std::string& to);

}  // namespace quennet
