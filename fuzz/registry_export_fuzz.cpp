// The registry export reader on any bytes, then reads like the program's: the value
// it needs, a default value and a missing one, each as it comes and as text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "fuzz_check.h"
#include "platform/memory_registry.h"
#include "platform/registry_export.h"
#include "shared/registry_value.h"

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quennet::MemoryRegistry registry;
  quennet::LoadRegistryExport(std::string(reinterpret_cast<const char*>(data), size), registry);
  const std::pair<const char*, const char*> reads[] = {
      {kShellFolders, "Common AppData"}, {kShellFolders, ""}, {"Software\\Quennet", "Value"}, {"\\", "Missing"}};
  for (const std::int16_t text_flag : {0, 1}) {
    for (const auto& [key, name] : reads) {
      const std::string text = quennet::basRegistry::ValueText(
          quennet::basRegistry::GetRegistryValue(registry, quennet::kHkeyLocalMachine, key, name, text_flag));
      quennet::fuzz::Check(text.find('\0') == std::string::npos, "a text value ends at its first NUL");
    }
  }
  return 0;
}
