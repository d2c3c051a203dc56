// The registry export reader on any bytes, then the reads the program makes: the
// value it needs, as a number and as text, a default value and a missing one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/registry_value.h"
#include "platform/memory_registry.h"
#include "platform/registry_export.h"

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quennet::MemoryRegistry registry;
  quennet::LoadRegistryExport(std::string(reinterpret_cast<const char*>(data), size), registry);
  using quennet::basRegistry::GetRegistryValue;
  for (const std::int16_t text_flag : {0, 1}) {
    GetRegistryValue(registry, quennet::kHkeyLocalMachine, kShellFolders, "Common AppData", text_flag);
    GetRegistryValue(registry, quennet::kHkeyLocalMachine, kShellFolders, "", text_flag);
    GetRegistryValue(registry, quennet::kHkeyLocalMachine, "Software\\Quennet", "Value", text_flag);
    GetRegistryValue(registry, quennet::kHkeyLocalMachine, "\\", "Missing", text_flag);
  }
  return 0;
}
