#include "knock/snapshot_scan.h"

#include <memory>

namespace quennet {

bool ScanSnapshot(Host& host, const std::string& path, const std::function<bool(const std::string&)>& on_line,
                  const std::function<void(const RuntimeError&)>& on_failure) {
  std::unique_ptr<TextStream> stream;
  try {
    stream = host.files.OpenTextFile(path);
  } catch (const RuntimeError&) {
    return false;
  }
  std::string line;
  for (;;) {
    try {
      // A failed read ends the stream, so this loop always ends.
      if (stream->AtEndOfStream()) return true;
      stream->ReadLine(line);
    } catch (const RuntimeError& error) {
      on_failure(error);
      continue;
    }
    if (!on_line(line)) return true;
  }
}

}  // namespace quennet
