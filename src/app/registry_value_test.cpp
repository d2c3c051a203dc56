#include "app/registry_value.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "platform/registry_export.h"

namespace quennet::basRegistry {
namespace {

using namespace std::string_literals;
using Calls = std::vector<std::string>;

const std::string kKey = "Software\\Tolvaren\\Test";

class GetRegistryValueTest : public ::testing::Test {
 protected:
  RegistryValue Read(const std::string& name, std::int16_t text_flag = 0) {
    return GetRegistryValue(registry_, kHkeyLocalMachine, kKey, name, text_flag);
  }

  FakeRegistry registry_;
};

TEST_F(GetRegistryValueTest, ReadsAStringInTwoQueriesUpToItsFirstNulAndClosesTheKey) {
  registry_.Set(kKey, "Common AppData", {kRegSz, "C:\\ProgramData\0"s});
  registry_.Set(kKey, "No end", {kRegSz, "abc"});
  registry_.Set(kKey, "Two parts", {kRegSz, "ab\0cd\0"s});

  EXPECT_EQ(Read("Common AppData"), RegistryValue("C:\\ProgramData"s));
  EXPECT_EQ(registry_.calls, (Calls{"open " + kKey, "query Common AppData -", "query Common AppData 15", "close 1"}));
  EXPECT_EQ(LastRegistryResult, kErrorSuccess);
  EXPECT_EQ(Read("No end"), RegistryValue("abc"s));
  EXPECT_EQ(Read("Two parts"), RegistryValue("ab"s));
}

TEST_F(GetRegistryValueTest, AMissingKeyOrValueGivesNothingAndTheKeyIsStillClosed) {
  EXPECT_EQ(GetRegistryValue(registry_, kHkeyLocalMachine, "Software\\None", "x", 1), RegistryValue());
  EXPECT_EQ(registry_.calls, (Calls{"open Software\\None", "close 0"}));
  EXPECT_EQ(LastRegistryResult, kErrorInvalidHandle);  // the close's code, not the open's

  registry_.Set(kKey, "Other", {kRegSz, "x\0"s});
  registry_.calls.clear();
  EXPECT_EQ(Read("Missing"), RegistryValue());
  // In text mode its type 0 is read as text too, which fails.
  EXPECT_EQ(Read("Missing", 1), RegistryValue());
  EXPECT_EQ(registry_.calls, (Calls{"open " + kKey, "query Missing -", "close 1", "open " + kKey,
                                    "query Missing -", "query Missing 0", "close 2"}));
}

TEST_F(GetRegistryValueTest, ReadsADwordAsASignedNumberAndOtherTypesOnlyInTextMode) {
  registry_.Set(kKey, "Count", {kRegDword, "\x1e\0\0\0"s});
  registry_.Set(kKey, "Minus", {kRegDword, "\xfe\xff\xff\xff"s});
  registry_.Set(kKey, "Too long", {kRegDword, "\1\0\0\0\0\0\0\0"s});
  registry_.Set(kKey, "Expand", {kRegExpandSz, "%SystemRoot%\0"s});

  EXPECT_EQ(Read("Count", 1), RegistryValue(std::int32_t{30}));
  EXPECT_EQ(registry_.calls, (Calls{"open " + kKey, "query Count -", "query Count 4", "close 1"}));
  EXPECT_EQ(ValueText(Read("Minus")), "-2");
  EXPECT_EQ(Read("Too long"), RegistryValue());
  EXPECT_EQ(Read("Expand", 0), RegistryValue());
  EXPECT_EQ(ValueText(Read("Expand", -1)), "");
  EXPECT_EQ(Read("Expand", 1), RegistryValue("%SystemRoot%"s));
}

TEST(GetRegistryValue, ReadsTheBundledShellFoldersExport) {
  std::ifstream file(QUENNET_SOURCE_DIR "/examples/shell-folders.reg", std::ios::binary);
  ASSERT_TRUE(file) << "examples/shell-folders.reg";
  MemoryRegistry registry;
  LoadRegistryExport(std::string(std::istreambuf_iterator<char>(file), {}), registry);
  const std::string folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

  EXPECT_EQ(GetRegistryValue(registry, kHkeyLocalMachine, folders + "Shell Folders", "Common AppData", 0),
            RegistryValue("C:\\ProgramData"s));
  EXPECT_EQ(GetRegistryValue(registry, kHkeyLocalMachine, folders + "User Shell Folders", "Common Documents", 1),
            RegistryValue("%SystemDrive%\\Users\\Public\\Documents"s));
  EXPECT_EQ(GetRegistryValue(registry, kHkeyLocalMachine, folders + "User Shell Folders", "RefreshCount", 0),
            RegistryValue(std::int32_t{30}));
}

}  // namespace
}  // namespace quennet::basRegistry
