#include <gtest/gtest.h>

#include "ctl/knock_log.h"

namespace quennet {
namespace {

// An event as Windows renders it (the shape of Microsoft's example of an event's
// XML, with the description as the classic event's one Data element), quoted with
// `q` and with the line ends of the description as they stood; an attribute whose name
// ends in another's comes first.
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

TEST(KnockStates, TrustsOnlyQuennetsEventsThatSystemWroteOnTheRule) {
  const std::string log =
      Event(100, "2012-07-17T08:00:00.1234567Z", "S-1-5-18", Knock("KnockRDP", "203.0.113.45")) +
      Event(100, "2012-07-17T08:20:00Z", "S-1-5-18", Knock("KnockRDP", "198.51.100.7"), '"') +
      Event(100, "2012-07-17T08:30:00Z", "S-1-5-21-1-2-3-1001",
            Knock("KnockRDP", "192.0.2.99")) +  // forged
      Event(101, "2012-07-17T08:40:00Z", "S-1-5-18",
            "Quennet - Port Closed&#13;&#10;Rule "
            "Name=KnockRDP&#13;&#10;IP=203.0.113.45&#13;&#10;port=3389");
  const KnockLog states = KnockStates(ReadEvents(log), "KnockRDP");
  EXPECT_EQ(states.ignored, 1u);
  ASSERT_EQ(states.addresses.size(), 2u);
  EXPECT_TRUE(states.addresses.at("203.0.113.45").closed);
  EXPECT_EQ(UtcText(states.addresses.at("198.51.100.7").opened), "2012-07-17 08:20:00 UTC");
  EXPECT_FALSE(states.addresses.at("198.51.100.7").closed);
}

}  // namespace
}  // namespace quennet
