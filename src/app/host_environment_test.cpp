#include "app/host_environment.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

TEST(HostEnvironment, FirewallLogPathFollowsTheFirewallGeneration) {
  FakeHost fake;
  FormState form;
  form.WindowsFolder = "C:\\Windows";
  SetFirewallLogPathVariable(fake.host, form);
  EXPECT_EQ(form.FirewallLogPath, "C:\\Windows\\system32\\LogFiles\\Firewall\\pfirewall.log");

  fake.version.Set(2, 5, 1);  // Windows XP
  SetFirewallLogPathVariable(fake.host, form);
  EXPECT_EQ(form.FirewallLogPath, "C:\\Windows\\pfirewall.log");

  fake.version.Set(2, 6, 2);  // unnamed, so the older conventions
  form.WindowsFolder = "%windir%";
  SetFirewallLogPathVariable(fake.host, form);
  EXPECT_EQ(form.FirewallLogPath, "%windir%\\pfirewall.log");
}

TEST(HostEnvironment, CreatesOnlyTheMissingFolders) {
  FormState form;
  form.AppDataFolder = "C:\\ProgramData";

  FakeHost none;
  CreateAppDirectories(none.host, form);
  EXPECT_EQ(none.files.changes, (std::vector<std::string>{"CreateFolder C:\\ProgramData\\Tolvaren",
                                                          "CreateFolder C:\\ProgramData\\Tolvaren\\Quennet"}));

  FakeHost first;
  first.files.folders = {"C:\\ProgramData\\Tolvaren"};
  CreateAppDirectories(first.host, form);
  EXPECT_EQ(first.files.changes, std::vector<std::string>{"CreateFolder C:\\ProgramData\\Tolvaren\\Quennet"});

  FakeHost both;
  both.files.folders = {"C:\\ProgramData\\Tolvaren", "C:\\ProgramData\\Tolvaren\\Quennet"};
  CreateAppDirectories(both.host, form);
  EXPECT_TRUE(both.files.changes.empty());

  FakeHost root;
  CreateAppDirectories(root.host, FormState{});
  EXPECT_EQ(root.files.changes,
            (std::vector<std::string>{"CreateFolder \\Tolvaren", "CreateFolder \\Tolvaren\\Quennet"}));
}

TEST(HostEnvironment, AFolderThatCannotBeMadeIsFatal) {
  FakeHost fake;
  fake.files.Fail(FakeFileService::Op::CreateFolder, "\\Tolvaren");
  EXPECT_THROW(CreateAppDirectories(fake.host, FormState{}), RuntimeError);
}

}  // namespace
}  // namespace quennet
