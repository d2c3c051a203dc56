#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "ctl/knock_log.h"
#include "ctl/subcommands.h"
#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

using Lines = std::vector<std::string>;

// An event as Windows renders it (the shape of Microsoft's example of an event's
// XML, with the description as the classic event's one Data element), quoted with
// `q` and with the line ends of the description as they stood.
std::string Event(int id, const std::string& time, const std::string& user, const std::string& text,
                  char q = '\'') {
  const std::string a = std::string(1, q);
  return "<Event xmlns=" + a + "http://schemas.microsoft.com/win/2004/08/events/event" + a +
         ">\r\n  <System>\r\n" + "    <Provider EventSourceName=" + a + "Other" + a + " Name=" + a +
         "Quennet" + a + " />\r\n    <EventID Qualifiers=" + a + "0" + a + ">" +
         std::to_string(id) +
         "</EventID>\r\n    <Level>4</Level>\r\n    <TimeCreated SystemTime=" + a + time + a +
         " />\r\n    <EventRecordID>7664</EventRecordID>\r\n    "
         "<Channel>Application</Channel>\r\n" +
         "    <Security UserID=" + a + user + a +
         " />\r\n  </System>\r\n  <EventData>\r\n    <Data>" + text +
         "</Data>\r\n  </EventData>\r\n</Event>\r\n";
}

std::string Knock(const std::string& rule, const std::string& address) {
  return "Quennet - Port Knock Authenticated&#13;&#10;Rule Name=" + rule +
         "&#13;&#10;IP=" + address + "&#13;&#10;port=3389";
}

// What "netsh advfirewall firewall show rule" prints of one rule.
std::string Shown(const std::string& remote) {
  return "\r\nRule Name:                            KnockRDP\r\n" + std::string(70, '-') +
         "\r\nEnabled:                              Yes\r\nDirection:                            "
         "In\r\n"
         "RemoteIP:                             " +
         remote +
         "\r\nProtocol:                             TCP\r\n"
         "Action:                               Allow\r\n";
}

TEST(KnockStates, TrustsOnlyQuennetsEventsThatSystemWroteOnTheRule) {
  const std::string log =
      Event(100, "2012-07-17T08:00:00.1234567Z", "S-1-5-18", Knock("KnockRDP", "203.0.113.45")) +
      Event(100, "2012-07-17T08:20:00Z", "S-1-5-18",
            "Quennet - Port Knock Authenticated\r\nRule Name=KnockRDP\r\n"
            "IP=198.51.100.7\r\nport=3389",
            '"') +
      Event(100, "2012-07-17T08:30:00Z", "S-1-5-21-1-2-3-1001",
            Knock("KnockRDP", "192.0.2.99")) +  // forged, and below of another provider
      std::regex_replace(
          Event(100, "2012-07-17T08:30:00Z", "S-1-5-18", Knock("KnockRDP", "192.0.2.96")),
          std::regex("Quennet' "), "Other' ") +
      Event(100, "2012-07-17T08:32:00Z", "S-1-5-18", Knock("KnockRDP", "0.0.0.0")) +
      Event(100, "2012-07-17T25:00:00Z", "S-1-5-18", Knock("KnockRDP", "192.0.2.97")) +  // no time
      Event(101, "2012-07-17T08:40:00Z", "S-1-5-18",
            "Quennet - Port Closed&#13;&#10;Rule "
            "Name=KnockRDP&#13;&#10;IP=203.0.113.45&#13;&#10;port=3389");
  const KnockLog states = KnockStates(ReadEvents(log), "KnockRDP");
  EXPECT_EQ(states.ignored, 1u);
  ASSERT_EQ(states.addresses.size(), 2u);
  EXPECT_TRUE(states.addresses.at("203.0.113.45").closed);
  EXPECT_EQ(UtcText(states.addresses.at("198.51.100.7").opened), "2012-07-17 08:20:00 UTC");
  EXPECT_FALSE(states.addresses.at("198.51.100.7").closed);
  // A close of every rule (no address) closes both; a knock after it opens again.
  const KnockLog closed = KnockStates(
      ReadEvents(
          log +
          Event(101, "2012-07-17T08:50:00Z", "S-1-5-18", "Rule Name=KnockRDP&#13;&#10;port=3389") +
          Event(100, "2012-07-17T08:51:00Z", "S-1-5-18", Knock("KnockRDP", "203.0.113.45"))),
      "KnockRDP");
  EXPECT_FALSE(closed.addresses.at("203.0.113.45").closed);
  EXPECT_TRUE(closed.addresses.at("198.51.100.7").closed);
}

// The end-to-end closing test runs the plain removals; here, expire on a faked Windows 7 host: the
// log holds a knock from 203.0.113.45 at 8:00, the firewall lists `listed`, and each netsh removal
// answers `removal`.
struct ExpireCase {
  const char* what;
  std::string listed;
  CommandOutput removal;
  int status;
  Lines removals;
};

TEST(Expire, ClosesWhatNoOpenKnockAccountsForAndCarriesOnPastAFailure) {
  const std::string query = EventQueryCommand(20000);
  const std::string show = "netsh advfirewall firewall show rule name=KnockRDP";
  const std::string every = "netsh advfirewall firewall delete rule name=KnockRDP";
  const std::string by_address = every + " remoteip=";
  const CommandOutput deleted{0, "Deleted 1 rule(s).\r\nOk.\r\n"};
  const CommandOutput no_match{1, "\r\nNo rules match the specified criteria.\r\n"};
  const CommandOutput refused{1, "The requested operation requires elevation"};
  const std::string knocker = Shown("203.0.113.45/32"), by_hand = Shown("192.0.2.5/32");
  const Lines both = {by_address + "203.0.113.45", by_address + "192.0.2.5"};
  const ExpireCase cases[] = {
      {"expired, its rule gone by hand", "", no_match, 0, {both[0]}},
      {"open to any address", Shown("Any"), deleted, 0, {every}},
      {"netsh refuses", knocker + by_hand, refused, 1, both},
  };
  for (const ExpireCase& c : cases) {
    FakeHost fake;
    fake.shell.outputs[query] = {
        0, Event(100, "2012-07-17T08:00:00Z", "S-1-5-18", Knock("KnockRDP", "203.0.113.45"))};
    fake.shell.outputs[show] = {0, c.listed + "Ok.\r\n"};
    for (const std::string& removal : c.removals) fake.shell.outputs[removal] = c.removal;
    std::ostringstream out, err;
    Ctl ctl{fake.host, out, err};
    EXPECT_EQ(
        RunQuennetCtl(ctl, {"expire", "--now", "2012-07-17T08:30:00Z", "KnockRDP", "3389", "30"}),
        c.status)
        << c.what << '\n'
        << out.str() << err.str();
    Lines removals, events;
    for (const std::string& command : fake.shell.commands) {
      if (command.starts_with("RunAndRead netsh advfirewall firewall delete"))
        removals.push_back(command.substr(11));
      if (command.find("/ID 101") != std::string::npos) events.push_back(command);
    }
    EXPECT_EQ(removals, c.removals) << c.what;
    EXPECT_EQ(events.size(), c.status == 0 ? removals.size() : 0)
        << c.what;  // each closing recorded, and only those
  }
}

// XP's firewall opens TCP 3389 to the latest knock's address alone: the opening goes
// when no knock is still in its time, and each knock it served is recorded closed.
TEST(Expire, OnTheOlderFirewallThePortOpeningGoesWithTheLastKnock) {
  for (const auto& [now, closes] :
       {std::pair{"2012-07-17T08:30:00Z", false}, {"2012-07-17T08:50:00Z", true}}) {
    FakeHost fake;
    fake.version.Set(2, 5, 1, 2600);
    fake.shell.outputs[EventQueryCommand(20000)] = {
        0, Event(100, "2012-07-17T08:00:00Z", "S-1-5-18", Knock("KnockRDP", "203.0.113.45")) +
               Event(100, "2012-07-17T08:20:00Z", "S-1-5-18", Knock("KnockRDP", "198.51.100.7"))};
    std::ostringstream out, err;
    Ctl ctl{fake.host, out, err};
    EXPECT_EQ(RunQuennetCtl(ctl, {"expire", "--now", now, "KnockRDP", "3389", "30"}), 0) << now;
    const auto ran = [&](const std::string& part) {
      return std::ranges::count_if(fake.shell.commands,
                                   [&](const std::string& c) { return c.find(part) != c.npos; });
    };
    EXPECT_EQ(ran("Netsh firewall delete portopening tcp 3389"), closes) << now;
    EXPECT_EQ(ran("/ID 101"), closes ? 2 : 0) << now;
  }
}

}  // namespace
}  // namespace quennet
