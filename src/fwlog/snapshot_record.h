#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace quennet {

// What is known of the snapshot on disk: which live log it was copied from, in what
// state that log was when the copy began, when it began, and the snapshot it gave.
struct SnapshotRecord {
  std::int64_t copy_began_ms = 0;  // Clock::ElapsedMilliseconds, the same in every process
  FileStamp live;
  FileStamp snapshot;
  std::string live_path;
};

// One line: a version, the numbers, then the path, and a line end, so that a record cut
// short reads as none.
std::string RecordText(const SnapshotRecord& record);
std::optional<SnapshotRecord> ReadRecord(std::string_view text);

}  // namespace quennet
