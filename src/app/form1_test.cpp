#include "app/form1.h"

#include <gtest/gtest.h>

#include "knock/test_log.h"
#include "platform/error.h"

namespace quennet {
namespace {

using test::Entry;

// A Windows 7 host whose registry and environment point at C:\ProgramData and
// C:\Windows, with the knock 701, 702, 703 from 203.0.113.45 in its firewall log.
struct RunHost : test::KnockHost {
  RunHost() {
    registry.Set("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common AppData",
                 {kRegSz, std::string("C:\\ProgramData\0", 15)});
    shell.environment["windir"] = "C:\\Windows";
    clock.now = FromCivil({2012, 7, 17, 10, 17, 30});
    Log({Entry("10:17:10", "701"), Entry("10:17:12", "702"), Entry("10:17:15", "703")});
  }

  void Run(const std::string& arguments, bool debug = false) {
    Form1 form(host, arguments, debug);
    ShowForm(form, clock);
    EXPECT_FALSE(form.Loaded());
  }
};

const std::string kEvent = "Exec EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D \"";
const std::string kMessage = "Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP=203.0.113.45";

TEST(Run, AVerifiedKnockRecordsTheEventThenOpensThePort) {
  RunHost fake;
  fake.Run("701,702,703 dt KnockRDP 30 3389");
  EXPECT_EQ(fake.shell.commands,
            (std::vector<std::string>{kEvent + kMessage + "\r\nport=3389\"",
                                      "run netsh advfirewall firewall add rule name=\"KnockRDP\" dir=in action=allow "
                                      "protocol=TCP localport=3389 remoteip=203.0.113.45"}));
  EXPECT_EQ(fake.clock.pauses, std::vector<int>{1}) << "one tick of the timer, no wait for the log";
}

TEST(Run, WithoutAPortOnlyTheEventIsRecorded) {
  RunHost fake;
  fake.Run("701,702,703 dt,dt,dt KnockRDP 30");
  EXPECT_EQ(fake.shell.commands, std::vector<std::string>{kEvent + kMessage + "\""});
}

TEST(Run, AnAddressOnTheCommandLineSkipsCorrelation) {
  RunHost fake;
  fake.Log({Entry("10:17:10", "701", "192.0.2.77"), Entry("10:17:12", "702", "192.0.2.77"),
            Entry("10:17:15", "703", "192.0.2.77"), Entry("10:17:16", "703")});
  fake.Run("701,702,703 dt KnockRDP 30 192.0.2.77");
  EXPECT_EQ(fake.shell.commands.size(), 1u) << "correlation would have found 203.0.113.45";
}

TEST(Run, NothingToVerifyOnlyMakesTheFolders) {
  RunHost fake;
  fake.Run("701 dt KnockRDP");
  EXPECT_EQ(fake.files.changes, (std::vector<std::string>{"CreateFolder C:\\ProgramData\\Tolvaren",
                                                          "CreateFolder C:\\ProgramData\\Tolvaren\\Quennet"}));
}

TEST(Run, NoAddressFromCorrelationIsOneErrorLine) {
  RunHost fake;
  fake.Run("701,702,704 dt KnockRDP 30 3389");
  EXPECT_EQ(fake.Lines("error.log"),
            std::vector<std::string>{"7/17/2012 10:17:30 AM No IP address was returned from correlation"});
  EXPECT_TRUE(fake.Lines("velt.log").empty()) << "no verification";
}

TEST(Run, AKnockSourceThatIsNotOneAddressOpensNothing) {
  RunHost fake;
  fake.Log({Entry("10:17:10", "701", "192.0.2.0/24"), Entry("10:17:12", "702", "192.0.2.0/24"),
            Entry("10:17:15", "703", "192.0.2.0/24")});
  fake.Run("701,702,703 dt KnockRDP 30 3389");
  EXPECT_TRUE(fake.shell.commands.empty());
  EXPECT_EQ(fake.Lines("error.log"),
            std::vector<std::string>{"7/17/2012 10:17:30 AM Error!  Knock source is not an IP address: 192.0.2.0/24"});
}

TEST(Run, TheTraceSwitchWritesTheStartLine) {
  RunHost fake;
  fake.Run("701 dt", true);
  EXPECT_EQ(fake.Lines("Debug.log"), std::vector<std::string>{"7/17/2012 10:17:30 AM  -  701 dt"});
}

TEST(Run, ACommandThatCannotStartEndsTheRunWithoutTheTimer) {
  RunHost fake;
  fake.shell.fail_exec = true;
  Form1 form(fake.host, "701,702,703 dt KnockRDP 30 3389", false);
  EXPECT_THROW(form.Form_Load(), RuntimeError);
  EXPECT_FALSE(form.Timer1.Enabled);
}

}  // namespace
}  // namespace quennet
