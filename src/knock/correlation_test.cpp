#include "knock/correlation.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/test_log.h"

namespace quennet {
namespace {

using test::Entry;
using test::KnockHost;

std::string Correlate(KnockHost& fake, const std::string& period = "30") {
  return Check_Firewall_Log(fake.host, fake.form, test::kReference, period, "703");
}

TEST(Correlation, ReturnsTheAddressOfTheLastEntryInTheWindowWithThePortAnywhereUnlessStrict) {
  KnockHost fake;
  // The port may stand in any field, the source port too; strict: the destination port only.
  const std::string source_port =
      "2012-07-17 10:17:02 DROP TCP 2001:db8::15 192.0.2.20 703 445 52 S 1 0 8192 - - - RECEIVE";
  fake.Log({Entry("10:17:01", "703", "198.51.100.7"), source_port,
            Entry("10:17:03", "702", "192.0.2.99")});
  EXPECT_EQ(Correlate(fake), "2001:db8::15");
  fake.form.StrictKnock = true;
  EXPECT_EQ(Correlate(fake), "198.51.100.7");
  // Where the header puts dst-port, the line counts after all.
  fake.Log({Entry("10:17:01", "703", "198.51.100.7"),
            "#Fields: date time action protocol src-ip dst-ip dst-port", source_port});
  EXPECT_EQ(Correlate(fake), "2001:db8::15");
}

TEST(Correlation, WindowEndsAtTheReferenceTime) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"10:17:30", "30", true},  {"10:17:01", "30", true},   {"10:17:00", "30", false},
      {"10:17:31", "30", false}, {"10:17:01", "30.9", true}, {"10:17:30", "soon", false},
  };
  for (const auto& [time, period, in] : cases) {
    KnockHost fake;
    fake.Log({Entry(time, "703")});
    EXPECT_EQ(Correlate(fake, period), in ? test::kKnocker : "") << time << " period " << period;
  }
}

TEST(Correlation, TraceLines) {
  KnockHost fake;
  fake.form.DebugEnabled = kTrue;
  fake.Log({Entry("10:16:59", "703"), Entry("10:17:21", "703")});
  Correlate(fake);
  const std::string now = "7/17/2012 10:17:31 AM";
  const std::string needed = std::string("Time stamp needing matched is ") + test::kReference;
  const auto at = [&](const std::string& text) { return now + "  -  " + text; };
  EXPECT_EQ(
      fake.Lines("Debug.log"),
      (std::vector<std::string>{
          now + "  Checking for match to port number 703 within 30 seconds of " + test::kReference,
          "possible match:" + Entry("10:16:59", "703"),
          at("Firewall log entry time stamp = 2012-07-17 10:16:59 "), at(needed),
          at("Date difference not within threshold: 31"),
          "possible match:" + Entry("10:17:21", "703"),
          at("Firewall log entry time stamp = 2012-07-17 10:17:21 "), at(needed),
          "Match time.  IP address = 203.0.113.45"}));
}

}  // namespace
}  // namespace quennet
