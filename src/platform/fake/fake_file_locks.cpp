#include "platform/fake/fake_file_locks.h"

#include "errors/error.h"

namespace quennet {
namespace {

class FakeLockedFile : public LockedFile {
 public:
  explicit FakeLockedFile(std::string& text) : text_(text) {}
  std::string Read() override { return text_; }
  void Write(const std::string& bytes) override { text_ = bytes; }

 private:
  std::string& text_;
};

}  // namespace

std::unique_ptr<LockedFile> FakeFileLocks::Lock(const std::string& path) {
  if (failing_.count(path)) throw RuntimeError(kErrPermissionDenied, "Permission denied");
  locked.push_back(path);
  return std::make_unique<FakeLockedFile>(files_.files[path]);
}

}  // namespace quennet
