#pragma once

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_file_locks.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_folder_security.h"
#include "platform/fake/fake_privileges.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_version.h"
#include "platform/host.h"

namespace quennet {

// Every service faked, on a Windows 7 host whose program folder is C:\Quennet.
struct FakeHost {
  FakeFileService files;
  FakeFileLocks locks{files};
  FakeShell shell;
  FakeClock clock;
  FakeRegistry registry;
  FakeVersion version;
  FakeFolderSecurity folders;
  FakePrivileges privileges;
  Host host{files, locks, shell, clock, registry, version, folders, privileges, "C:\\Quennet"};
};

}  // namespace quennet
