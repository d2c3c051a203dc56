#include "knock/verification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/test_log.h"
#include "text/text_split.h"

namespace quennet {
namespace {

using test::Entry;
using test::KnockHost;

constexpr const char* kOther = "198.51.100.7";

// Records from the knocker with `port` in the source-port field and 445 as destination.
std::string FromPort(const std::string& time, const std::string& port) {
  return "2012-07-17 " + time + " DROP TCP 203.0.113.45 192.0.2.20 " + port +
         " 445 52 S 1 0 8192 - - - RECEIVE";
}

// Records written "SECOND:PORT" for 10:17:SECOND from the knocker, blank-separated; a
// suffix o is from kOther, u a UDP drop, s the port in the source-port field.
std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> records;
  for (const std::string& token : SplitAll(text, ' ')) {
    const std::size_t colon = token.find(':');
    const std::size_t flags = std::min(token.find_first_of("ous"), token.size());
    const std::string time = "10:17:" + token.substr(0, colon),
                      port = token.substr(colon + 1, flags - colon - 1);
    const auto has = [&](char flag) { return token.find(flag, flags) != std::string::npos; };
    records.push_back(has('s') ? FromPort(time, port)
                               : Entry(time, port, has('o') ? kOther : test::kKnocker,
                                       has('u') ? "DROP UDP" : "DROP TCP"));
  }
  return records;
}

bool Verify(KnockHost& fake, const std::string& ports, const std::string& actions = "dt",
            const std::string& period = "30", const std::string& source = test::kKnocker) {
  return Check_Port_Knock(fake.host, fake.form, test::kReference, period, ports, actions, source);
}

TEST(Verification, AThreePortKnockWritesEveryLineByteForByte) {
  KnockHost fake;
  fake.form.DebugEnabled = kTrue;
  fake.Log(Records("01:1000 02:445o 05:2000 09:3000 10:3000"));
  EXPECT_TRUE(Verify(fake, "1000,2000,3000"));

  const std::string now = "7/17/2012 10:17:31 AM";
  EXPECT_EQ(fake.Lines("velt.log"),
            (std::vector<std::string>{
                now + " Port 1000 has a match in the firewall log",
                now + " Port 2000 has a match in the firewall log",
                now + " Port 3000 has a match in the firewall log",
                now + " All ports have been successfully matched to IP address 203.0.113.45"}));
  const std::string checking = now + "  Checking for match to port number ";
  const std::string needed = now + "  -  Time stamp needing matched is 7/17/2012 10:17:30 AM";
  const auto possible = [&](const std::string& entry) {
    return now + "  -  possible match:" + entry;
  };
  const auto stamp = [&](const std::string& time) {
    return now + "  -  Firewall log entry time stamp = 2012-07-17 " + time + " ";
  };
  EXPECT_EQ(
      fake.Lines("Debug.log"),
      (std::vector<std::string>{
          checking + "1000 within 30 seconds of 7/17/2012 10:17:30 AM using DROP TCP",
          possible(Entry("10:17:01", "1000")), stamp("10:17:01"), needed, now + "  -  Match time",
          checking + "2000 within 30 seconds of 7/17/2012 10:17:30 AM using DROP TCP",
          possible(Entry("10:17:02", "445", kOther)), possible(Entry("10:17:05", "2000")),
          stamp("10:17:05"), needed, now + "  -  Match time",
          checking + "3000 within 30 seconds of 7/17/2012 10:17:30 AM using DROP TCP",
          possible(Entry("10:17:09", "3000")), stamp("10:17:09"), needed, now + "  -  Match time",
          now + "  -   port knock successfully detected"}));
  EXPECT_TRUE(fake.Lines("error.log").empty());
}

TEST(Verification, AKnockIsJudgedOnTheSnapshotItsFreshnessCheckRead) {
  KnockHost fake;
  fake.Log(Records("01:701 02:702"));
  const std::string older =
      fake.files.files[test::kLive];  // another run's copy, before the last knock
  fake.Log(Records("01:701 02:702 03:703"));
  // That run's copy replaces the snapshot right after this run's check read it.
  fake.files.after_read_at = [&](const std::string& path) {
    if (path == test::kSnapshot) fake.files.files[test::kSnapshot] = older;
  };
  EXPECT_TRUE(Verify(fake, "701,702,703"));
  EXPECT_EQ(fake.Lines("velt.log").size(), 4u);
}

TEST(Verification, AFailedReadIsReportedAndEndsTheScan) {
  KnockHost fake;
  // Line 3 (counting from 0, the header included) holds both ports; reading line 4 fails.
  fake.Log(
      {"2012-07-17 10:17:01 DROP TCP 203.0.113.45 192.0.2.20 2000 1000 52 S 1 0 8192 - - - RECEIVE",
       Entry("10:17:02", "80")});
  fake.files.FailReadsFrom(test::kSnapshot, fake.files.files[test::kLive].find("10:17:02"));
  EXPECT_FALSE(Verify(fake, "1000,2000"));
  EXPECT_EQ(fake.Lines("error.log"),
            std::vector<std::string>{"error reading log file Device I/O error"});
}

TEST(Verification, AStrictKnockTakesDestinationPortsWithNothingElseOfTheAddressBetween) {
  const std::string header = "#Fields: date time action protocol src-ip dst-ip dst-port src-port";
  const std::tuple<std::vector<std::string>, bool, const char*> cases[] = {
      {Records("11:701 12:702 13:703"), true, "a clean knock"},
      {Records("01:445 11:701 11:701 12:702 12:702 13:703 14:3389"), true,
       "retransmits, and packets before and after"},
      {Records("11:701 12:445o 12:702ou 12:702 13:703"), true, "another address between"},
      {Records("11:701 12:702 12:445 13:703"), false, "another port between"},
      {Records("11:701 12:702 45:445 13:703"), true,
       "another port between, stamped outside the window"},
      {Records("11:701 12:702 12:702u 13:703"), false, "the port before with another action"},
      {Records("11:701 12:702 12:701 13:703"), false, "an earlier knock port again"},
      {Records("11:701 12:702 12:703u 13:703"), false, "the port sought with another action"},
      {Records("05:701 06:702 07:701 08:702 09:445 11:701 12:702 13:703"), true,
       "clean after spoiled, the spoiling 701 begins an attempt"},
      {Records("11:701s 12:702s 13:703s"), false, "ports in the source-port field"},
      {{header, FromPort("10:17:11", "701"), FromPort("10:17:12", "702"),
        FromPort("10:17:13", "703")},
       true,
       "a header that places dst-port before src-port"},
      {{Entry("10:17:11", "701"), "2012-07-17 10:17:12 DROP TCP 203.0.113.45 192.0.2.20 51234",
        Entry("10:17:12", "702"), Entry("10:17:13", "703")},
       false,
       "a line of the address too short for a port"},
  };
  for (const auto& [log, verified, what] : cases) {
    KnockHost fake;
    fake.form.StrictKnock = true;
    fake.Log(log);
    EXPECT_EQ(Verify(fake, "701,702,703"), verified) << what;
    // A refused strict knock leaves velt.log alone, a spoiled attempt before a verified one too.
    EXPECT_EQ(fake.Lines("velt.log").size(), verified ? 4u : 0u) << what;

    fake.form.StrictKnock = false;  // the defined behaviour takes every one of them
    EXPECT_TRUE(Verify(fake, "701,702,703")) << what;
  }
}

}  // namespace
}  // namespace quennet
