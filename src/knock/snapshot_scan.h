#pragma once

#include <functional>
#include <string>

#include "platform/error.h"
#include "platform/host.h"

namespace quennet {

// Reads the snapshot at `path` line by line, handing each line to on_line until it
// returns false or the file ends. A line that cannot be read goes to on_failure and
// is skipped: no test ever sees the text of an earlier line again. Returns false
// when the snapshot cannot be opened.
bool ScanSnapshot(Host& host, const std::string& path, const std::function<bool(const std::string&)>& on_line,
                  const std::function<void(const RuntimeError&)>& on_failure);

}  // namespace quennet
