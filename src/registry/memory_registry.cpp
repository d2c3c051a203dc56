#include "registry/memory_registry.h"

#include <cstring>

#include "text/ascii.h"

namespace quennet {
namespace {

std::string TrimSeparators(const std::string& path) {
  const std::size_t first = path.find_first_not_of('\\');
  if (first == std::string::npos) return "";
  return path.substr(first, path.find_last_not_of('\\') - first + 1);
}

}  // namespace

void MemoryRegistry::Set(const std::string& key_path, const std::string& value_name, Value value) {
  // Every parent of a key exists too, as in the real registry.
  const std::string path = LowerAscii(TrimSeparators(key_path));
  for (std::size_t sep = path.find('\\'); sep != std::string::npos;
       sep = path.find('\\', sep + 1)) {
    keys_[path.substr(0, sep)];
  }
  keys_[path][LowerAscii(value_name)] = std::move(value);
}

std::int32_t MemoryRegistry::RegOpenKeyA(RegHandle root, const std::string& sub_key,
                                         RegHandle& key) {
  if (root != kHkeyLocalMachine) return kErrorInvalidHandle;
  const auto found = keys_.find(LowerAscii(TrimSeparators(sub_key)));
  if (found == keys_.end()) return kErrorFileNotFound;
  open_.push_back(&found->second);
  key = open_.size();
  return kErrorSuccess;
}

std::int32_t MemoryRegistry::RegQueryValueExA(RegHandle key, const std::string& value_name,
                                              std::uint32_t& type, unsigned char* data,
                                              std::uint32_t& size) {
  if (key == 0 || key > open_.size() || open_[key - 1] == nullptr) return kErrorInvalidHandle;
  const Values& values = *open_[key - 1];
  const auto found = values.find(LowerAscii(value_name));
  if (found == values.end()) return kErrorFileNotFound;
  const Value& value = found->second;
  type = value.type;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (data != nullptr && size < needed) {
    size = needed;
    return kErrorMoreData;
  }
  if (data != nullptr) std::memcpy(data, value.data.data(), needed);
  size = needed;
  return kErrorSuccess;
}

std::int32_t MemoryRegistry::RegCloseKey(RegHandle key) {
  if (key == 0 || key > open_.size() || open_[key - 1] == nullptr) return kErrorInvalidHandle;
  open_[key - 1] = nullptr;
  return kErrorSuccess;
}

}  // namespace quennet
