#pragma once

#include <string>

#include "registry/memory_registry.h"

namespace quennet {

// Adds the values of a registry export, as the registry editor writes it (UTF-16LE
// with a byte-order mark, or 8-bit text), to `registry`. Lines it cannot read are
// skipped; only keys below HKEY_LOCAL_MACHINE are kept.
void LoadRegistryExport(const std::string& bytes, MemoryRegistry& registry);

}  // namespace quennet
