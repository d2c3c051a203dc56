#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/registry.h"

namespace quennet::basRegistry {

// Text, a REG_DWORD number, or nothing.
using RegistryValue = std::variant<std::monostate, std::string, std::int32_t>;

// Reads one value; with TextFlag 1, values of types other than REG_SZ and REG_DWORD
// are read as text too. Never fails: what cannot be read gives nothing.
RegistryValue GetRegistryValue(RegistryService& registry, RegHandle RootKey,
                               const std::string& KeyPath, const std::string& ValueName,
                               std::int16_t TextFlag);

// The value as text: a number as its decimal digits, nothing as the empty text.
std::string ValueText(const RegistryValue& value);

}  // namespace quennet::basRegistry
