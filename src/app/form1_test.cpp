#include "app/form1.h"

#include <gtest/gtest.h>

#include "knock/test_log.h"

namespace quennet {
namespace {

using test::Entry;

// The end-to-end tests pin what each run writes and starts; these pin the order of the
// commands, how each is started, and what no run shows from outside.

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

  void Run(const std::string& arguments) {
    Form1 form(host, arguments, false);
    ShowForm(form, clock);
    EXPECT_FALSE(form.Loaded());
  }
};

TEST(Run, AVerifiedKnockRecordsTheEventThenOpensThePort) {
  RunHost fake;
  fake.Run("701,702,703 dt KnockRDP 30 3389");
  EXPECT_EQ(fake.shell.commands,
            (std::vector<std::string>{"Exec EVENTCREATE /L APPLICATION /SO Quennet /ID 100 /T INFORMATION /D \"Quennet "
                                      "- Port Knock Authenticated\r\nRule Name=KnockRDP\r\nIP=203.0.113.45\r\nport=3389\"",
                                      "run netsh advfirewall firewall add rule name=\"KnockRDP\" dir=in action=allow "
                                      "protocol=TCP localport=3389 remoteip=203.0.113.45"}));
  EXPECT_EQ(fake.clock.pauses, std::vector<int>{1}) << "one tick of the timer, no wait for the log";
}

}  // namespace
}  // namespace quennet
