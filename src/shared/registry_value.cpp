#include "shared/registry_value.h"

namespace quennet::basRegistry {

namespace {

constexpr std::int16_t kTextMode = 1;

// The value's bytes read into a buffer of `size` blanks, up to the first NUL. A NUL
// far into a long value still cuts it: there is no 16-bit limit on its position.
RegistryValue ReadText(RegistryService& registry, RegHandle key, const std::string& ValueName,
                       std::uint32_t size) {
  std::string buffer(size, ' ');
  std::uint32_t text_type = 0;
  const std::int32_t result = registry.RegQueryValueExA(
      key, ValueName, text_type, reinterpret_cast<unsigned char*>(buffer.data()), size);
  if (result != kErrorSuccess) return {};
  return buffer.substr(0, buffer.find('\0'));
}

RegistryValue ReadDword(RegistryService& registry, RegHandle key, const std::string& ValueName,
                        std::uint32_t& type) {
  unsigned char bytes[4] = {};
  std::uint32_t size = sizeof bytes;
  if (registry.RegQueryValueExA(key, ValueName, type, bytes, size) != kErrorSuccess) return {};
  const std::uint32_t number =
      bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
  return static_cast<std::int32_t>(number);
}

}  // namespace

RegistryValue GetRegistryValue(RegistryService& registry, RegHandle RootKey,
                               const std::string& KeyPath, const std::string& ValueName,
                               std::int16_t TextFlag) {
  const bool text_mode = TextFlag == kTextMode;
  RegHandle key = 0;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  RegistryValue result;
  registry.RegOpenKeyA(RootKey, KeyPath, key);
  // The handle decides, not the code: only a handle can be queried.
  if (key != 0) {
    // A missing value leaves the type at 0, which reads as nothing below.
    registry.RegQueryValueExA(key, ValueName, type, nullptr, size);
    if (type == kRegSz || (text_mode && type != kRegDword)) {
      result = ReadText(registry, key, ValueName, size);
    } else if (type == kRegDword) {
      result = ReadDword(registry, key, ValueName, type);
    }
  }
  // Closed even when nothing was opened.
  registry.RegCloseKey(key);
  return result;
}

std::string ValueText(const RegistryValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return "";
}

}  // namespace quennet::basRegistry
