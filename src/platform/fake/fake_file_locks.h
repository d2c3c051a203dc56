#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/fake/fake_files.h"
#include "platform/file_locks.h"

namespace quennet {

// Locks that never wait (one process, one thread): the locked files' text lives in
// the file service given. Records what it locks and fails on request.
class FakeFileLocks : public FileLocks {
 public:
  explicit FakeFileLocks(FakeFileService& files) : files_(files) {}

  // The paths locked, in order.
  std::vector<std::string> locked;
  // From now on, locking `path` throws.
  void Fail(const std::string& path) { failing_.insert(path); }

  std::unique_ptr<LockedFile> Lock(const std::string& path) override;

 private:
  FakeFileService& files_;
  std::set<std::string> failing_;
};

}  // namespace quennet
