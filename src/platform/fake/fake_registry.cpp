#include "platform/fake/fake_registry.h"

namespace quennet {

std::int32_t FakeRegistry::RegOpenKeyA(RegHandle root, const std::string& sub_key, RegHandle& key) {
  calls.push_back("open " + sub_key);
  return MemoryRegistry::RegOpenKeyA(root, sub_key, key);
}

std::int32_t FakeRegistry::RegQueryValueExA(RegHandle key, const std::string& value_name,
                                            std::uint32_t& type, unsigned char* data,
                                            std::uint32_t& size) {
  calls.push_back("query " + value_name + " " + (data ? std::to_string(size) : "-"));
  return MemoryRegistry::RegQueryValueExA(key, value_name, type, data, size);
}

std::int32_t FakeRegistry::RegCloseKey(RegHandle key) {
  calls.push_back("close " + std::to_string(key));
  return MemoryRegistry::RegCloseKey(key);
}

}  // namespace quennet
