#include "platform/error.h"

namespace quennet {

std::string FatalReport(const RuntimeError& error) {
  return "Run-time error '" + std::to_string(error.number()) + "': " + error.description();
}

}  // namespace quennet
