#include "knock/verification.h"

#include <gtest/gtest.h>

#include "knock/test_log.h"

namespace quennet {
namespace {

using test::Entry;
using test::KnockHost;

bool Verify(KnockHost& fake, const std::string& ports, const std::string& actions = "dt",
            const std::string& period = "30", const std::string& source = test::kKnocker) {
  return Check_Port_Knock(fake.host, fake.form, test::kReference, period, ports, actions, source);
}

TEST(Verification, AThreePortKnockWritesEveryLineByteForByte) {
  KnockHost fake;
  fake.form.DebugEnabled = kTrue;
  fake.Log({Entry("10:17:01", "1000"), Entry("10:17:02", "445", "198.51.100.7"), Entry("10:17:05", "2000"),
            Entry("10:17:09", "3000"), Entry("10:17:10", "3000")});
  EXPECT_TRUE(Verify(fake, "1000,2000,3000"));

  const std::string now = "7/17/2012 10:17:31 AM";
  EXPECT_EQ(fake.Lines("velt.log"),
            (std::vector<std::string>{now + " Port 1000 has a match in the firewall log",
                                      now + " Port 2000 has a match in the firewall log",
                                      now + " Port 3000 has a match in the firewall log",
                                      now + " All ports have been successfully matched to IP address 203.0.113.45"}));
  const std::string checking = now + "  Checking for match to port number ";
  const std::string needed = now + "  -  Time stamp needing matched is 7/17/2012 10:17:30 AM";
  const auto possible = [&](const std::string& entry) { return now + "  -  possible match:" + entry; };
  const auto stamp = [&](const std::string& time) { return now + "  -  Firewall log entry time stamp = 2012-07-17 " + time + " "; };
  EXPECT_EQ(fake.Lines("Debug.log"),
            (std::vector<std::string>{
                checking + "1000 within 30 seconds of 7/17/2012 10:17:30 AM using DROP TCP",
                possible(Entry("10:17:01", "1000")), stamp("10:17:01"), needed, now + "  -  Match time",
                checking + "2000 within 30 seconds of 7/17/2012 10:17:30 AM using DROP TCP",
                possible(Entry("10:17:02", "445", "198.51.100.7")),
                possible(Entry("10:17:05", "2000")), stamp("10:17:05"), needed, now + "  -  Match time",
                checking + "3000 within 30 seconds of 7/17/2012 10:17:30 AM using DROP TCP",
                possible(Entry("10:17:09", "3000")), stamp("10:17:09"), needed, now + "  -  Match time",
                now + "  -   port knock successfully detected"}));
  EXPECT_TRUE(fake.Lines("error.log").empty());
}

TEST(Verification, WindowReachesFromPeriodMinusOneBeforeToNineSecondsAfter) {
  const struct {
    const char* time;
    const char* period;
    bool in;
  } cases[] = {
      {"10:17:01", "30", true},  {"10:17:00", "30", false}, {"10:17:39", "30", true},  {"10:17:40", "30", false},
      {"10:17:01", "30.9", true}, {"10:17:00", "30.9", false}, {"10:17:30", "0", false}, {"10:17:30", "x", false},
  };
  for (const auto& c : cases) {
    KnockHost fake;
    fake.form.DebugEnabled = kTrue;
    fake.Log({Entry(c.time, "1000")});
    EXPECT_EQ(Verify(fake, "1000", "dt", c.period), c.in) << c.time << " period " << c.period;
  }
  KnockHost outside;
  outside.form.DebugEnabled = kTrue;
  outside.Log({Entry("10:17:00", "1000")});
  Verify(outside, "1000");
  EXPECT_EQ(outside.Lines("Debug.log")[4], "7/17/2012 10:17:31 AM  -  Time Difference = 30");
}

TEST(Verification, KnocksMustComeInOrderAndEachLineServesOneKnock) {
  KnockHost out_of_order;
  out_of_order.Log({Entry("10:17:01", "2000"), Entry("10:17:02", "1000"), Entry("10:17:03", "3000")});
  EXPECT_FALSE(Verify(out_of_order, "1000,2000,3000"));
  EXPECT_EQ(out_of_order.Lines("velt.log"),
            std::vector<std::string>{"7/17/2012 10:17:31 AM Port 1000 has a match in the firewall log"});

  KnockHost two_ports_in_one_line;  // source port 2000, destination port 1000
  two_ports_in_one_line.Log({"2012-07-17 10:17:01 DROP TCP 203.0.113.45 192.0.2.20 2000 1000 52 S 1 0 8192 - - - RECEIVE"});
  EXPECT_FALSE(Verify(two_ports_in_one_line, "1000,2000"));

  KnockHost port_in_source_field;
  port_in_source_field.Log({"2012-07-17 10:17:01 DROP TCP 203.0.113.45 192.0.2.20 1000 445 52 S 1 0 8192 - - - RECEIVE"});
  EXPECT_TRUE(Verify(port_in_source_field, "1000"));
}

TEST(Verification, ListsAreSplitAtEveryCommaWithoutTrimming) {
  for (const char* ports : {"1000, 2000", "1000,2000,"}) {
    KnockHost fake;
    fake.Log({Entry("10:17:01", "1000"), Entry("10:17:02", "2000")});
    EXPECT_FALSE(Verify(fake, ports)) << ports;
  }
}

TEST(Verification, ActionsPairWithPortsAndTheLastActionCoversTheRest) {
  KnockHost shorter;
  shorter.Log({Entry("10:17:01", "1000"), Entry("10:17:02", "2000", test::kKnocker, "DROP UDP"),
               Entry("10:17:03", "3000", test::kKnocker, "DROP UDP")});
  EXPECT_TRUE(Verify(shorter, "1000,2000,3000", "dt,du"));
  EXPECT_EQ(shorter.form.FirewallActionText, "DROP UDP");

  KnockHost longer;
  longer.Log({Entry("10:17:01", "1000"), Entry("10:17:02", "2000", test::kKnocker, "DROP UDP")});
  EXPECT_TRUE(Verify(longer, "1000,2000", "dt,du,di,at"));
  EXPECT_EQ(longer.form.FirewallActionText, "DROP UDP");

  KnockHost single_port;
  single_port.Log({Entry("10:17:01", "1000")});
  EXPECT_TRUE(Verify(single_port, "1000", "dt,du"));

  KnockHost unknown_code;
  unknown_code.Log({Entry("10:17:01", "1000")});
  EXPECT_FALSE(Verify(unknown_code, "1000", "zz"));
}

TEST(Verification, OtherAddressesArePassedOverSilently) {
  KnockHost fake;
  fake.Log({Entry("10:17:01", "1000", "198.51.100.7"), Entry("10:17:02", "1000"), Entry("10:17:03", "2000", "198.51.100.7")});
  EXPECT_FALSE(Verify(fake, "1000,2000"));
  EXPECT_EQ(fake.Lines("velt.log").size(), 1u);
  EXPECT_TRUE(Verify(fake, "1000", "dt", "30", "198.51.100.7"));
}

TEST(Verification, AnUnreadableLineIsReportedAndNeverJudgedAgain) {
  KnockHost fake;
  // Line 3 (counting from 0, the header included) holds both ports; reading line 4 fails.
  fake.Log({"2012-07-17 10:17:01 DROP TCP 203.0.113.45 192.0.2.20 2000 1000 52 S 1 0 8192 - - - RECEIVE",
            Entry("10:17:02", "80")});
  fake.files.FailReadLines(test::kSnapshot, {4});
  EXPECT_FALSE(Verify(fake, "1000,2000"));
  EXPECT_EQ(fake.Lines("error.log"), std::vector<std::string>{"error reading log file Device I/O error"});
}

TEST(Verification, NoSnapshotMeansNoWaitAndNoKnock) {
  KnockHost fake;
  fake.form.DebugEnabled = kTrue;
  EXPECT_FALSE(Verify(fake, "1000"));
  EXPECT_TRUE(fake.clock.pauses.empty());
  EXPECT_EQ(fake.Lines("Debug.log"), std::vector<std::string>{"7/17/2012 10:17:31 AM  -   failed to identify port knock"});
  EXPECT_TRUE(fake.Lines("velt.log").empty());
}

}  // namespace
}  // namespace quennet
