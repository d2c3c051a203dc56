#include "registry/registry_export.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace quennet {
namespace {

using namespace std::string_literals;
using Stored = std::optional<std::pair<std::uint32_t, std::string>>;

// The type and bytes of a value below HKEY_LOCAL_MACHINE, as the registry hands them out.
Stored Lookup(MemoryRegistry& registry, const std::string& path, const std::string& name) {
  RegHandle key = 0;
  registry.RegOpenKeyA(kHkeyLocalMachine, path, key);
  std::uint32_t type = 0;
  std::string data(64, '\0');
  auto size = static_cast<std::uint32_t>(data.size());
  const std::int32_t read = registry.RegQueryValueExA(
      key, name, type, reinterpret_cast<unsigned char*>(data.data()), size);
  // An open key closes once; a closed one is no handle.
  EXPECT_EQ(registry.RegCloseKey(key), key == 0 ? kErrorInvalidHandle : kErrorSuccess);
  EXPECT_EQ(registry.RegCloseKey(key), kErrorInvalidHandle);
  if (read) return {};
  return std::pair{type, data.substr(0, size)};
}

std::string Utf16Export(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

const std::string kHandWritten =
    "Windows Registry Editor Version 5.00\r\n\r\n; a comment\n"
    "[hkey_local_machine\\Software\\Tolvaren\\Test]\r\n"
    "\"Plain\"=\"C:\\\\Data \\\"quoted\\\"\"\r\n@=\"default\"\n"
    "\"Path\"=hex(2):25,00,41,00,\\\r\n  25,00,00,\\\n  00\n"
    "\"Raw\"=hex:01,ff\n"
    // Lines that cannot be read, one of each kind; a list that breaks off is one of them.
    "\"Deleted\"=-\ngarbage "
    "line\n\"Unclosed=\"x\n\"LongDword\"=dword:012345678\n\"BadHex\"=hex:1,2g\n"
    "\"BrokenOff\"=hex:01,\\\n\"After\"=\"kept\"\n"
    // Sections that are not kept: another root, a deletion, an unclosed name.
    "[HKEY_CURRENT_USER\\Software\\Other]\n\"Skipped\"=\"no\"\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Skipped\"=\"no\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Otherx\n\"Skipped\"=\"no\"\n";

TEST(LoadRegistryExport, ReadsEveryFormOfValueSkipsWhatItCannotReadAndNarrowsUtf16Text) {
  MemoryRegistry registry;
  LoadRegistryExport(kHandWritten, registry);
  const std::pair<const char*, Stored> cases[] = {
      {"Plain", Stored({kRegSz, "C:\\Data \"quoted\"\0"s})},
      {"", Stored({kRegSz, "default\0"s})},
      {"Path", Stored({kRegExpandSz, "%A%\0"s})},
      {"Raw", Stored({kRegBinary, "\x01\xff"s})},
      {"After", Stored({kRegSz, "kept\0"s})},
  };
  for (const auto& [name, stored] : cases)
    EXPECT_EQ(Lookup(registry, "Software\\Tolvaren\\Test", name), stored) << name;
  for (const char* name : {"Deleted", "Unclosed", "LongDword", "BadHex", "BrokenOff", "Skipped"})
    EXPECT_EQ(Lookup(registry, "Software\\Tolvaren\\Test", name), std::nullopt) << name;
  EXPECT_EQ(Lookup(registry, "Software\\Other", "Skipped"), std::nullopt);
  // UTF-16 text narrowed; older and unheaded files taken too.
  std::string utf16 = Utf16Export(
      u"Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n"
      u"\"N\"=\"\u00e9\u0100\U0001F600\xDC00\xDC01.\"\r\n"
      u"\"M\"=hex(7):61,00,00,01,00,00,00,00\r\n\"Cut\"=\"x\"");
  utf16.pop_back();  // half a unit at the end is no character
  LoadRegistryExport(utf16, registry);
  // The older format's string data in hex is 8-bit already.
  LoadRegistryExport("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"E\"=hex(2):41,42,00\n", registry);
  LoadRegistryExport("\xEF\xBB\xBF[HKEY_LOCAL_MACHINE\\K]\n\"U\"=\"v\"", registry);
  EXPECT_EQ(Lookup(registry, "K", "N"), Stored({kRegSz, "\xe9????.\0"s}));
  EXPECT_EQ(Lookup(registry, "K", "M"), Stored({kRegMultiSz, "a?\0\0"s}));
  EXPECT_EQ(Lookup(registry, "K", "E"), Stored({kRegExpandSz, "AB\0"s}));
  EXPECT_EQ(Lookup(registry, "K", "U"), Stored({kRegSz, "v\0"s}));
  EXPECT_EQ(Lookup(registry, "K", "Cut"), std::nullopt);
}

}  // namespace
}  // namespace quennet
