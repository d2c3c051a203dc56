#pragma once

namespace quennet {

// The rights the program runs with.
class Privileges {
 public:
  virtual ~Privileges() = default;
  // Windows: an elevated member of Administrators; POSIX: the effective user is root.
  virtual bool Elevated() = 0;
};

}  // namespace quennet
