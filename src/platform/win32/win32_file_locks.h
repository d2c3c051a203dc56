#pragma once

#include "platform/file_locks.h"

namespace quennet {

// Locks through LockFileEx on the whole file, which Windows lets go of when the handle
// closes or its process ends.
class Win32FileLocks : public FileLocks {
 public:
  std::unique_ptr<LockedFile> Lock(const std::string& path) override;
};

}  // namespace quennet
