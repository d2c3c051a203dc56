#include "plan/knock_plan.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "text/text_split.h"

namespace quennet {
namespace {

// The plan in one line: host, family, the packets, delay, nudge port@pause, quiet,
// the sender's own options; or the error text. A command line that starts with "B "
// is read for a browser, which has an own option --out.
std::string Plan(std::string command_line) {
  const KnockSender client{"quennet-knock", true, {}};
  const KnockSender browser{"a browser", false, {"--out"}};
  const bool for_browser = command_line.starts_with("B ");
  if (for_browser) command_line.erase(0, 2);
  try {
    const KnockPlan plan = ParseKnockOptions(
        command_line.empty() ? std::vector<std::string>{} : SplitAll(command_line, ' '),
        for_browser ? browser : client);
    if (plan.help) return "help";
    std::ostringstream text;
    text << plan.host << " "
         << "*46"[static_cast<int>(plan.family)] << " ";
    for (const KnockPacket& knock : plan.knocks)
      text << (knock.protocol == KnockProtocol::kTcp ? "t" : "u") << knock.port << ",";
    text << " " << plan.delay_ms << " ";
    if (plan.nudge_port)
      text << *plan.nudge_port << "@" << plan.nudge_after_ms;
    else
      text << "-";
    if (plan.quiet) text << " q";
    if (plan.open_port) text << " open " << *plan.open_port << "/" << plan.open_timeout_s;
    for (const auto& [option, value] : plan.own) text << " " << option << "=" << value;
    return text.str();
  } catch (const UsageError& error) {
    return error.what();
  }
}

TEST(KnockPlan,
     ReadsPortsAndActionsAsQuennetDoesAndRefusesWhatItCouldNeverVerifyOrTheSenderCannotSend) {
  const std::pair<const char*, const char*> cases[] = {
      {"host 701,702,703", "host * t701,t702,t703, 200 704@2000"},
      {"-q --delay 0 --nudge-after 50 10.0.0.1 703,701 du,DT", "10.0.0.1 * u703,t701, 0 704@50 q"},
      {"h 701,702,703 dt,du", "h * t701,u702,u703, 200 704@2000"},  // the last code serves the rest
      {"h 65535,1 AU,allow", "h * u65535,t1, 200 2@2000"},          // a longer code is a TCP allow
      {"h 701,704,702,703", "h * t701,t704,t702,t703, 200 705@2000"},
      {"h 701 --nudge 9 --no-nudge", "--nudge and --no-nudge exclude each other"},
      {"--no-nudge h 701,701", "h * t701,t701, 200 -"},
      {"-6 [2001:db8::1] 701 --nudge 80", "2001:db8::1 6 t701, 200 80@2000"},
      {"-4 -6 h 701", "-4 and -6 exclude each other"},
      {"-4 fe80::1%eth0 701", "-4 asks for IPv4, but fe80::1%eth0 is IPv6"},
      {"-6 192.0.2.1 701", "-6 asks for IPv6, but 192.0.2.1 is IPv4"},
      {"[] 701", "HOST is empty"},
      {"", "expected HOST PORTS [ACTIONS]"},
      {"h 701 --help", "help"},
      {"h 701 -x", "unknown option -x"},
      {"h 701 --delay", "--delay needs a value"},
      {"h 701 --delay -1", "--delay needs milliseconds from 0 to 600000, not \"-1\""},
      {"h 701 --nudge-after 600001",
       "--nudge-after needs milliseconds from 0 to 600000, not \"600001\""},
      {"h 701, dt",
       "bad port \"\": a port is a number from 1 to 65535"},  // quennet looks for an empty port
      {"h 0701", "bad port \"0701\": a port is a number from 1 to 65535"},
      {"h 65536", "bad port \"65536\": a port is a number from 1 to 65535"},
      {"h 0", "bad port \"0\": a port is a number from 1 to 65535"},
      {"h 701 --nudge 701", "the nudge port 701 is a knock port"},
      {"h 701 --open 3389", "h * t701, 200 - open 3389/30"},  // its attempts serve as the nudge
      {"h 701 --open 3389 --timeout 5 --nudge 9", "h * t701, 200 9@2000 open 3389/5"},
      {"h 701 --timeout 5", "--timeout needs --open"},
      {"h 701 --open 3389 --timeout 0", "--timeout needs seconds from 1 to 3600, not \"0\""},
      {"h 701,3389 --open 3389", "the --open port 3389 is a knock port"},
      {"h 701,702 dt,di",
       "action code \"di\" is an ICMP knock, which quennet-knock does not send; use a TCP (dt, at) "
       "or UDP (du, au) code"},
      {"h 701 xt", "unknown action code \"xt\": use dt, du, at or au"},
      {"h 701 dt,", "ACTIONS has more codes than PORTS has ports"},
      {"B h 701 --out f --delay 5", "h * t701, 5 702@2000 --out=f"},
      {"B -q h 701", "unknown option -q"},
      {"h 701 --out f", "unknown option --out"},
      {"B h 701 di",
       "action code \"di\" is an ICMP knock, which a browser does not send; use a TCP code (dt, "
       "at)"},
  };
  for (const auto& [command_line, plan] : cases)
    EXPECT_EQ(Plan(command_line), plan) << command_line;
}

}  // namespace
}  // namespace quennet
