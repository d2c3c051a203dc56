#pragma once

#include "platform/file_locks.h"

namespace quennet {

// Locks through flock(2), which the kernel drops with the last descriptor of the open
// file, so also when the process is killed. Backslashes in a path are read as slashes.
class PosixFileLocks : public FileLocks {
 public:
  std::unique_ptr<LockedFile> Lock(const std::string& path) override;
};

}  // namespace quennet
