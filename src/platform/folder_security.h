#pragma once

#include <string>

namespace quennet {

// What the access control of one folder allows, read without following a link. Of a
// file the same facts are read: who owns it and whether it is a link or a folder.
struct FolderFacts {
  bool exists = false;
  // A symbolic link, junction or other reparse point, whatever it points to.
  bool is_link = false;
  bool is_folder = false;
  // Owned by SYSTEM, Administrators, TrustedInstaller or the account the program
  // runs as (POSIX: the effective user or root).
  bool owner_trusted = false;
  // Someone else may add, change or delete the folder's entries.
  bool others_may_write = false;
  // Someone else may list the folder's entries (POSIX: group or others may read it).
  bool others_may_read = false;
};

// Who may write into a folder. Paths are written the Windows way. A failing member
// throws RuntimeError.
class FolderSecurity {
 public:
  virtual ~FolderSecurity() = default;
  virtual FolderFacts Inspect(const std::string& path) = 0;
  // Creates one folder whose parent exists, writable only by the trusted: a protected
  // DACL for SYSTEM and Administrators on Windows, mode 0755 owned by the effective
  // user on POSIX, whatever the umask. A folder that exists already is left as it is.
  virtual void CreatePrivateFolder(const std::string& path) = 0;
  // Gives an existing folder the access CreatePrivateFolder gives a new one.
  virtual void MakePrivate(const std::string& path) = 0;
  // Removes the folder and everything in it without following any link: a symbolic
  // link, junction or other reparse point, there or inside, goes itself, never what
  // it points to. A missing folder is no error.
  virtual void RemoveTree(const std::string& path) = 0;
};

}  // namespace quennet
