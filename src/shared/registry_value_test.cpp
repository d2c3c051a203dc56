#include "shared/registry_value.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_registry.h"

namespace quennet::basRegistry {
namespace {

using namespace std::string_literals;
using Calls = std::vector<std::string>;

const std::string kKey = "Software\\Tolvaren\\Test";

TEST(GetRegistryValue, ReadsStringsUpToTheFirstNulAndDwordsAsSignedNumbers) {
  FakeRegistry registry;
  const auto read = [&registry](const std::string& name, std::int16_t text_flag = 0) {
    return GetRegistryValue(registry, kHkeyLocalMachine, kKey, name, text_flag);
  };
  registry.Set(kKey, "Common AppData", {kRegSz, "C:\\ProgramData\0"s});
  registry.Set(kKey, "No end", {kRegSz, "abc"});
  registry.Set(kKey, "Two parts", {kRegSz, "ab\0cd\0"s});
  registry.Set(kKey, "Minus", {kRegDword, "\xfe\xff\xff\xff"s});
  registry.Set(kKey, "Too long", {kRegDword, "\1\0\0\0\0\0\0\0"s});
  registry.Set(kKey, "Expand", {kRegExpandSz, "%SystemRoot%\0"s});

  EXPECT_EQ(read("Common AppData"), RegistryValue("C:\\ProgramData"s));
  EXPECT_EQ(registry.calls, (Calls{"open " + kKey, "query Common AppData -",
                                   "query Common AppData 15", "close 1"}));
  EXPECT_EQ(read("No end"), RegistryValue("abc"s));
  EXPECT_EQ(read("Two parts"), RegistryValue("ab"s));
  EXPECT_EQ(read("Minus", 1), RegistryValue(std::int32_t{-2}));
  EXPECT_EQ(read("Too long"), RegistryValue());
  // Other types are read only in text mode.
  EXPECT_EQ(read("Expand", 0), RegistryValue());
  EXPECT_EQ(read("Expand", -1), RegistryValue());
  EXPECT_EQ(read("Expand", 1), RegistryValue("%SystemRoot%"s));
}

TEST(GetRegistryValue, AMissingKeyOrValueGivesNothingAndTheKeyIsStillClosed) {
  FakeRegistry registry;
  EXPECT_EQ(GetRegistryValue(registry, kHkeyLocalMachine, "Software\\None", "x", 1),
            RegistryValue());
  registry.Set(kKey, "Other", {kRegSz, "x\0"s});
  // In text mode the missing value's type 0 is read as text too, which fails.
  EXPECT_EQ(GetRegistryValue(registry, kHkeyLocalMachine, kKey, "Missing", 1), RegistryValue());
  EXPECT_EQ(registry.calls, (Calls{"open Software\\None", "close 0", "open " + kKey,
                                   "query Missing -", "query Missing 0", "close 1"}));
}

}  // namespace
}  // namespace quennet::basRegistry
