// Placeholder until the export reader lands.
#include "platform/registry_export.h"

namespace quennet {

void LoadRegistryExport(const std::string&, MemoryRegistry&) {}

}  // namespace quennet
