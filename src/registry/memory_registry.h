#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quennet {

// A registry held in memory: keys below HKEY_LOCAL_MACHINE, compared without regard
// to case, as Windows does. Serves the POSIX stand-in and the tests.
class MemoryRegistry : public RegistryService {
 public:
  struct Value {
    std::uint32_t type = kRegSz;
    std::string data;  // the raw bytes, as RegQueryValueExA hands them out
  };

  // Sets a value; the name "" is the key's default value.
  void Set(const std::string& key_path, const std::string& value_name, Value value);

  std::int32_t RegOpenKeyA(RegHandle root, const std::string& sub_key, RegHandle& key) override;
  std::int32_t RegQueryValueExA(RegHandle key, const std::string& value_name, std::uint32_t& type,
                                unsigned char* data, std::uint32_t& size) override;
  std::int32_t RegCloseKey(RegHandle key) override;

 private:
  using Values = std::map<std::string, Value>;
  std::map<std::string, Values> keys_;  // by lower-cased path, below HKEY_LOCAL_MACHINE
  std::vector<const Values*> open_;     // a handle is an index into this, plus one
};

}  // namespace quennet
