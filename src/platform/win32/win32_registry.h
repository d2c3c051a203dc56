#pragma once

#include "platform/registry.h"

namespace quennet {

// Handles are the HKEY values themselves.
class Win32Registry : public RegistryService {
 public:
  std::int32_t RegOpenKeyA(RegHandle root, const std::string& sub_key, RegHandle& key) override;
  std::int32_t RegQueryValueExA(RegHandle key, const std::string& value_name, std::uint32_t& type,
                                unsigned char* data, std::uint32_t& size) override;
  std::int32_t RegCloseKey(RegHandle key) override;
};

}  // namespace quennet
