#include "platform/registry_export.h"

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
  if (registry.RegQueryValueExA(key, name, type, reinterpret_cast<unsigned char*>(data.data()), size)) {
    return std::nullopt;
  }
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
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; a comment\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Tolvaren\\Test]\r\n"
    "\"Plain\"=\"C:\\\\Data \\\"quoted\\\"\"\r\n"
    "\"Back\\\\slash \\\"name\\\"\"=\"x\"\n"
    "@=\"default\"\n"
    "\"Count\"=dword:0000001e\n"
    "\"Path\"=hex(2):25,00,41,00,\\\r\n"
    "  25,00,00,\\\n"
    "  00\n"
    "\"Raw\"=hex:01,ff\n"
    "\"Quad\"=hex(b):01,00,00,00,00,00,00,00\n"
    "\"Deleted\"=-\n"
    "garbage line\n"
    "\"Unclosed=\"x\n"
    "\"BadDword\"=dword:xyz\n"
    "\"LongDword\"=dword:123456789\n"
    "\"BadHex\"=hex:1,2g\n"
    "\"BrokenOff\"=hex:01,\\\n"
    "\"After\"=\"kept\"\n"
    "\n"
    "[hkey_local_machine\\SOFTWARE\\tolvaren\\Mixed Case]\n"
    "\"A\"=\"1\"\n"
    "[HKEY_CURRENT_USER\\Software\\Other]\n"
    "\"Skipped\"=\"no\"\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\Gone]\n"
    "\"Skipped\"=\"no\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Unclosed\n"
    "\"Skipped\"=\"no\"\n";

TEST(LoadRegistryExport, ReadsEveryFormOfValueAndSkipsWhatItCannotRead) {
  MemoryRegistry registry;
  LoadRegistryExport(kHandWritten, registry);
  const std::string key = "Software\\Tolvaren\\Test";

  EXPECT_EQ(Lookup(registry, key, "Plain"), Stored({kRegSz, "C:\\Data \"quoted\"\0"s}));
  EXPECT_EQ(Lookup(registry, key, "Back\\slash \"name\""), Stored({kRegSz, "x\0"s}));
  EXPECT_EQ(Lookup(registry, key, ""), Stored({kRegSz, "default\0"s}));
  EXPECT_EQ(Lookup(registry, key, "Count"), Stored({kRegDword, "\x1e\0\0\0"s}));
  EXPECT_EQ(Lookup(registry, key, "Path"), Stored({kRegExpandSz, "%A%\0"s}));
  EXPECT_EQ(Lookup(registry, key, "Raw"), Stored({kRegBinary, "\x01\xff"s}));
  EXPECT_EQ(Lookup(registry, key, "Quad"), Stored({11, "\1\0\0\0\0\0\0\0"s}));
  EXPECT_EQ(Lookup(registry, key, "After"), Stored({kRegSz, "kept\0"s}));
  for (const char* name : {"Deleted", "Unclosed", "BadDword", "LongDword", "BadHex", "BrokenOff"}) {
    EXPECT_EQ(Lookup(registry, key, name), std::nullopt) << name;
  }

  EXPECT_EQ(Lookup(registry, "Software\\Tolvaren\\MIXED CASE", "a"), Stored({kRegSz, "1\0"s}));
  for (const char* path : {"Software\\Other", "Software\\Gone", "Software\\Unclosed"}) {
    EXPECT_EQ(Lookup(registry, path, "Skipped"), std::nullopt) << path;
  }
}

TEST(LoadRegistryExport, NarrowsUtf16TextAndTakesOlderAndUnheadedFiles) {
  MemoryRegistry wide;
  LoadRegistryExport(Utf16Export(u"Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n"
                                 u"\"N\"=\"\u00e9\u0100\U0001F600.\"\r\n"
                                 u"\"M\"=hex(7):61,00,00,01,00,00,00,00\r\n"),
                     wide);
  EXPECT_EQ(Lookup(wide, "K", "N"), Stored({kRegSz, "\xe9??.\0"s}));
  EXPECT_EQ(Lookup(wide, "K", "M"), Stored({kRegMultiSz, "a?\0\0"s}));

  // The older format's string data in hex is 8-bit already.
  MemoryRegistry narrow;
  LoadRegistryExport("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"E\"=hex(2):41,42,00\n", narrow);
  EXPECT_EQ(Lookup(narrow, "K", "E"), Stored({kRegExpandSz, "AB\0"s}));

  MemoryRegistry unheaded;
  LoadRegistryExport("\xEF\xBB\xBF[HKEY_LOCAL_MACHINE\\K]\n\"N\"=\"v\"", unheaded);
  EXPECT_EQ(Lookup(unheaded, "K", "N"), Stored({kRegSz, "v\0"s}));
}

TEST(LoadRegistryExport, SurvivesEveryTruncationOfAnExport) {
  const std::string wide = Utf16Export(u"[HKEY_LOCAL_MACHINE\\K]\r\n\"P\"=hex(2):25,00,\\\r\n  00,00\r\n");
  for (const std::string& whole : {kHandWritten, wide}) {
    for (std::size_t length = 0; length <= whole.size(); ++length) {
      MemoryRegistry registry;
      LoadRegistryExport(whole.substr(0, length), registry);
    }
  }
}

}  // namespace
}  // namespace quennet
