#include <gtest/gtest.h>

#include <sstream>

#include "ctl/subcommands.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

constexpr FolderFacts kTrusted{true, false, true, true, false};

// Install on a faked Windows 7 host whose program folder C:\Quennet has `folder`.
struct InstallCase {
  const char* what;
  FolderFacts folder;
  bool elevated;
  int status;
};

TEST(Install, RefusesAnUntrustedProgramFolderOrRightsBeforeAnyChange) {
  const InstallCase cases[] = {
      {"trusted", kTrusted, true, 0},
      {"others may write", {true, false, true, true, true}, true, 1},
      {"owned by another", {true, false, true, false, false}, true, 1},
      {"a junction", {true, true, false, true, false}, true, 1},
      {"missing", {}, true, 1},
      {"not elevated", kTrusted, false, 1},
  };
  for (const InstallCase& c : cases) {
    FakeHost fake;
    fake.folders.folders["C:\\Quennet"] = c.folder;
    fake.privileges.elevated = c.elevated;
    fake.shell.environment["windir"] = "C:\\Windows";
    std::ostringstream out, err;
    Ctl ctl{fake.host, out, err};
    EXPECT_EQ(RunQuennetCtl(ctl, {"install", "7100,3301,49152", "dt", "KnockRDP", "30", "3389"}), c.status) << c.what;
    if (c.status == 0) {
      EXPECT_EQ(fake.shell.commands.size(), 5u) << c.what;
      EXPECT_EQ(fake.files.changes, std::vector<std::string>{"WriteWholeFile C:\\Quennet\\Quennet KnockRDP.xml"});
    } else {
      EXPECT_EQ(fake.shell.commands, std::vector<std::string>{}) << c.what;
      EXPECT_EQ(fake.files.changes, std::vector<std::string>{}) << c.what;
      EXPECT_TRUE(err.str().starts_with("quennetctl install: refused: ")) << c.what;
    }
  }
}

}  // namespace
}  // namespace quennet
