#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/platform.h"
#include "platform/posix/errno_error.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_locks.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_folder_security.h"
#include "platform/posix/posix_privileges.h"
#include "platform/posix/posix_shell.h"
#include "platform/posix/posix_version.h"
#include "registry/memory_registry.h"
#include "registry/registry_export.h"

namespace quennet {
namespace {

std::string ProgramFolder() {
  std::error_code error;
  const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
  if (error) throw ErrnoError(error.value(), "read the link", "/proc/self/exe");
  // A program in / gets the folder "", so that folder + "\name" is still its neighbour.
  return program.substr(0, program.rfind('/'));
}

std::string JoinArguments(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

// The bytes of the file `path` names; none when there is no path or no readable file.
std::string FileBytes(const char* path) {
  if (path == nullptr) return {};
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class PosixPlatform : public Platform {
 public:
  PosixPlatform(int argc, char** argv)
      : version_(std::getenv("QUENNET_WINDOWS_VERSION")),
        host_{files_,   locks_,   shell_,      clock_,         registry_,
              version_, folders_, privileges_, ProgramFolder()},
        argument_text_(JoinArguments(argc, argv)) {
    LoadRegistryExport(FileBytes(std::getenv("QUENNET_REGISTRY")), registry_);
  }

  Host& host() override { return host_; }
  std::string ArgumentText() override { return argument_text_; }

 private:
  PosixFileService files_;
  PosixFileLocks locks_;
  PosixShell shell_;
  PosixClock clock_;
  MemoryRegistry registry_;
  PosixVersion version_;
  PosixFolderSecurity folders_;
  PosixPrivileges privileges_;
  Host host_;
  std::string argument_text_;
};

}  // namespace

std::unique_ptr<Platform> MakePlatform(int argc, char** argv) {
  return std::make_unique<PosixPlatform>(argc, argv);
}

void UseBinaryStandardOutput() {}  // it always does

}  // namespace quennet
