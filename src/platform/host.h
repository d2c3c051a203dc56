#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/file_locks.h"
#include "platform/files.h"
#include "platform/folder_security.h"
#include "platform/privileges.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/version.h"

namespace quennet {

// The services of the machine the program runs on, real or fake.
struct Host {
  FileService& files;
  FileLocks& locks;
  ShellService& shell;
  Clock& clock;
  RegistryService& registry;
  VersionService& version;
  FolderSecurity& folders;
  Privileges& privileges;
  // The folder of the running executable, without a trailing separator.
  std::string program_folder;
};

}  // namespace quennet
