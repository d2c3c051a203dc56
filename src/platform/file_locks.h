#pragma once

#include <memory>
#include <string>

namespace quennet {

// A small file that one holder at a time has, in whatever process, until it is
// destroyed; its content is read and replaced whole. Anyone may still read the file
// meanwhile, and may find it empty or cut short while it is written. A failing
// member throws RuntimeError.
class LockedFile {
 public:
  virtual ~LockedFile() = default;
  virtual std::string Read() = 0;
  // Replaces the content. A process that dies meanwhile may leave it empty or cut
  // short, so whoever reads it checks what it reads.
  virtual void Write(const std::string& bytes) = 0;
};

// Locks on files, for runs that must take turns. Paths are written the Windows way.
class FileLocks {
 public:
  virtual ~FileLocks() = default;
  // Opens the file at `path`, creating it when missing, and waits until no one else
  // holds it. A link, a folder or anything but a plain file there throws RuntimeError.
  // A process that ends, however it ends, lets go of what it held.
  virtual std::unique_ptr<LockedFile> Lock(const std::string& path) = 0;
};

}  // namespace quennet
