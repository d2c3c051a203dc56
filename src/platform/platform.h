#pragma once

#include <memory>
#include <string>

#include "platform/host.h"

namespace quennet {

// The real services of the platform the program was built for.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual Host& host() = 0;
  // The command line after the program's own name, as one string.
  virtual std::string ArgumentText() = 0;
};

// Defined once per platform, in platform/posix or platform/win32.
std::unique_ptr<Platform> MakePlatform(int argc, char** argv);

// From now on standard output passes bytes as they are: no CR is put before a LF.
void UseBinaryStandardOutput();

}  // namespace quennet
