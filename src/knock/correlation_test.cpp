#include "knock/correlation.h"

#include <gtest/gtest.h>

#include "knock/test_log.h"

namespace quennet {
namespace {

using test::Entry;
using test::KnockHost;

std::string Correlate(KnockHost& fake, const std::string& period = "30", const std::string& port = "703") {
  return Check_Firewall_Log(fake.host, fake.form, test::kReference, period, port);
}

TEST(Correlation, ReturnsTheAddressOfTheLastEntryInTheWindow) {
  KnockHost fake;
  fake.Log({Entry("10:17:01", "703", "198.51.100.7"), Entry("10:17:02", "703"), Entry("10:17:03", "702", "192.0.2.99")});
  EXPECT_EQ(Correlate(fake), test::kKnocker);

  KnockHost source_field;
  source_field.Log({"2012-07-17 10:17:01 DROP TCP 2001:db8::15 192.0.2.20 703 445 52 S 1 0 8192 - - - RECEIVE"});
  EXPECT_EQ(Correlate(source_field), "2001:db8::15");
}

TEST(Correlation, WindowEndsAtTheReferenceTime) {
  const struct {
    const char* time;
    const char* period;
    bool in;
  } cases[] = {
      {"10:17:30", "30", true},  {"10:17:01", "30", true}, {"10:17:00", "30", false},  {"10:17:31", "30", false},
      {"10:17:01", "30.9", true}, {"10:17:30", "0", false}, {"10:17:30", "soon", false},
  };
  for (const auto& c : cases) {
    KnockHost fake;
    fake.Log({Entry(c.time, "703")});
    EXPECT_EQ(Correlate(fake, c.period), c.in ? test::kKnocker : "") << c.time << " period " << c.period;
  }
}

TEST(Correlation, TraceLines) {
  KnockHost fake;
  fake.form.DebugEnabled = kTrue;
  fake.Log({Entry("10:16:59", "703"), Entry("10:17:20", "702"), Entry("10:17:21", "703")});
  Correlate(fake);
  const std::string now = "7/17/2012 10:17:31 AM";
  EXPECT_EQ(fake.Lines("Debug.log"),
            (std::vector<std::string>{
                now + "  Checking for match to port number 703 within 30 seconds of 7/17/2012 10:17:30 AM",
                "possible match:" + Entry("10:16:59", "703"),
                now + "  -  Firewall log entry time stamp = 2012-07-17 10:16:59 ",
                now + "  -  Time stamp needing matched is 7/17/2012 10:17:30 AM",
                now + "  -  Date difference not within threshold: 31",
                "possible match:" + Entry("10:17:20", "702"),
                "possible match:" + Entry("10:17:21", "703"),
                now + "  -  Firewall log entry time stamp = 2012-07-17 10:17:21 ",
                now + "  -  Time stamp needing matched is 7/17/2012 10:17:30 AM",
                "Match time.  IP address = 203.0.113.45"}));
}

TEST(Correlation, NothingToReadGivesNothingAtOnce) {
  KnockHost fake;
  EXPECT_EQ(Correlate(fake), "");
  EXPECT_TRUE(fake.clock.pauses.empty());
  EXPECT_TRUE(fake.files.changes.empty());

  KnockHost unreadable;
  unreadable.Log({Entry("10:17:21", "703")});
  unreadable.files.Fail(FakeFileService::Op::OpenTextFile, test::kSnapshot);
  EXPECT_EQ(Correlate(unreadable), "");
}

}  // namespace
}  // namespace quennet
