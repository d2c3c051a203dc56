// Placeholder until the POSIX services land.
#include "platform/error.h"
#include "platform/platform.h"

namespace quennet {

std::unique_ptr<Platform> MakePlatform(int, char**) { throw RuntimeError(51, "Internal error"); }

}  // namespace quennet
