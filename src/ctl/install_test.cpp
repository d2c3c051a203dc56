#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "ctl/subcommands.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

using Lines = std::vector<std::string>;

constexpr FolderFacts kTrusted{true, false, true, true, false};
const char* const kInstall[] = {"install", "7100,3301,49152", "dt", "KnockRDP", "30", "3389"};

// A faked Windows 7 host whose program folder C:\Quennet has `folder` and whose
// shared application-data folder is C:\ProgramData.
struct InstallHost : FakeHost {
  explicit InstallHost(FolderFacts program_folder = kTrusted) {
    folders.folders["C:\\Quennet"] = program_folder;
    shell.environment["windir"] = "C:\\Windows";
    registry.Set("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 "Common AppData", {kRegSz, std::string("C:\\ProgramData\0", 15)});
    for (const char* task : {"Quennet KnockRDP", "Quennet KnockRDP close"}) {
      shell.outputs[std::string("schtasks /query /tn \"") + task + "\" /xml ONE"] = {
          1, ""};  // not registered yet
    }
  }
  int Run(std::ostringstream& err) {
    std::ostringstream out;
    Ctl ctl{host, out, err};
    return RunQuennetCtl(ctl, std::vector<std::string>(std::begin(kInstall), std::end(kInstall)));
  }
};

// What a trusted folder goes on to, quennetctl_test.sh pins command by command.
TEST(Install, RefusesAnUntrustedProgramFolderOrRightsBeforeAnyChange) {
  const std::tuple<const char*, FolderFacts, bool> cases[] = {
      {"others may write", {true, false, true, true, true}, true},
      {"owned by another", {true, false, true, false, false}, true},
      {"a junction", {true, true, false, true, false}, true},
      {"missing", {}, true},
      {"not elevated", kTrusted, false},
  };
  for (const auto& [what, folder, elevated] : cases) {
    InstallHost fake(folder);
    fake.privileges.elevated = elevated;
    std::ostringstream err;
    EXPECT_EQ(fake.Run(err), 1) << what;
    EXPECT_EQ(fake.shell.commands, Lines{}) << what;
    EXPECT_EQ(fake.files.changes, Lines{}) << what;
    EXPECT_TRUE(err.str().starts_with("quennetctl install: refused: ")) << what;
  }
}

// What install does with the Tolvaren and Quennet folders it finds: the access-list
// commands (besides the program folder's) and the changes to the folders.
TEST(Install, MakesQuennetsFolderPrivateAndTakesOverATolvarenOfOthers) {
  constexpr FolderFacts kOthers{true, false, true, false, false};
  constexpr FolderFacts kOpen{true, false, true, true, true};
  constexpr FolderFacts kLink{true, true, true, true, false};
  const std::string t = "C:\\ProgramData\\Tolvaren", q = t + "\\Quennet";
  const Lines take_t = {"takeown /f \"" + t + "\" /a", "icacls \"" + t + "\""},
              take_q = {"takeown /f \"" + q + "\" /a", "icacls \"" + q + "\""};
  const Lines make_q = {"CreatePrivateFolder " + q};
  struct Case {
    const char* what;
    FolderFacts tolvaren, quennet;
    Lines commands, changes;
  } cases[] = {
      {"none yet", {}, {}, {}, {"CreatePrivateFolder " + t, "CreatePrivateFolder " + q}},
      {"both ours", kTrusted, kTrusted, {}, {}},
      {"Quennet missing", kTrusted, {}, {}, make_q},
      {"Quennet of another",
       kTrusted,
       kOthers,
       take_q,
       {"RemoveTree " + q, "CreatePrivateFolder " + q}},
      {"Quennet a link", kTrusted, kLink, {}, {"RemoveTree " + q, "CreatePrivateFolder " + q}},
      {"Tolvaren of another",
       kOthers,
       kTrusted,
       {take_t[0], take_t[1], take_q[0], take_q[1]},
       {"RemoveTree " + q, "CreatePrivateFolder " + q}},
      {"Tolvaren open to others", kOpen, {}, {take_t[0], take_t[1]}, make_q},
      {"Tolvaren a junction",
       kLink,
       {},
       {},
       {"CreatePrivateFolder " + t, "CreatePrivateFolder " + q}},
  };
  for (const Case& c : cases) {
    InstallHost fake;
    fake.folders.folders[t] = c.tolvaren;
    fake.folders.folders[q] = c.quennet;
    std::ostringstream err;
    EXPECT_EQ(fake.Run(err), 0) << c.what << ": " << err.str();
    Lines commands;
    for (const std::string& command : fake.shell.commands) {
      const std::string line = command.substr(command.find(' ') + 1);
      if (line.find("ProgramData") == std::string::npos) continue;
      commands.push_back(line.starts_with("icacls") ? line.substr(0, line.find(" /")) : line);
    }
    EXPECT_EQ(commands, c.commands) << c.what;
    Lines changes(fake.folders.changes.begin(), fake.folders.changes.end());
    EXPECT_EQ(changes, c.changes) << c.what;
    const bool link_removed = c.tolvaren.is_link;
    EXPECT_EQ(std::count(fake.files.changes.begin(), fake.files.changes.end(), "RemoveFile " + t),
              link_removed)
        << c.what;
  }
}

}  // namespace
}  // namespace quennet
