#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_api.h"

namespace quennet {
namespace {

// The predefined roots are 32-bit values with the top bit set, which a 64-bit HKEY
// carries sign-extended (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 there).
HKEY ToHkey(RegHandle handle) {
  const auto low = static_cast<std::uint32_t>(handle);
  if (low == handle && (low & 0x80000000u) != 0) {
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(low)));
  }
  return reinterpret_cast<HKEY>(handle);
}

}  // namespace

std::int32_t Win32Registry::RegOpenKeyA(RegHandle root, const std::string& sub_key,
                                        RegHandle& key) {
  HKEY opened = nullptr;
  const LONG result = ::RegOpenKeyA(ToHkey(root), sub_key.c_str(), &opened);
  if (result == ERROR_SUCCESS) key = reinterpret_cast<RegHandle>(opened);
  return result;
}

std::int32_t Win32Registry::RegQueryValueExA(RegHandle key, const std::string& value_name,
                                             std::uint32_t& type, unsigned char* data,
                                             std::uint32_t& size) {
  DWORD reported_type = type;
  DWORD reported_size = size;
  const LONG result = ::RegQueryValueExA(ToHkey(key), value_name.c_str(), nullptr, &reported_type,
                                         data, &reported_size);
  type = reported_type;
  size = reported_size;
  return result;
}

std::int32_t Win32Registry::RegCloseKey(RegHandle key) { return ::RegCloseKey(ToHkey(key)); }

}  // namespace quennet
