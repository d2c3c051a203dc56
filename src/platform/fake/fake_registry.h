#pragma once

#include <string>
#include <vector>

#include "registry/memory_registry.h"

namespace quennet {

// The in-memory registry, recording each call as "open <path>", "query <name>
// <size>" (the size passed in, or "-" without a buffer) and "close <handle>".
class FakeRegistry : public MemoryRegistry {
 public:
  std::vector<std::string> calls;

  std::int32_t RegOpenKeyA(RegHandle root, const std::string& sub_key, RegHandle& key) override;
  std::int32_t RegQueryValueExA(RegHandle key, const std::string& value_name, std::uint32_t& type,
                                unsigned char* data, std::uint32_t& size) override;
  std::int32_t RegCloseKey(RegHandle key) override;
};

}  // namespace quennet
