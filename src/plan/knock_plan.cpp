#include "plan/knock_plan.h"

#include <algorithm>
#include <string_view>

#include "shared/action_codes.h"
#include "text/number_text.h"
#include "text/text_split.h"

namespace quennet {
namespace {

constexpr int kMaxPort = 65535;
constexpr int kMaxMilliseconds = 600000;
constexpr int kMaxTimeoutSeconds = 3600;

// The firewall writes ports without a leading zero, so quennet would never find "0701".
std::uint16_t ReadPort(const std::string& text) {
  const auto port = ReadWholeNumber(text, kMaxPort);
  if (!port || *port == 0)
    throw UsageError("bad port \"" + text + "\": a port is a number from 1 to 65535");
  return static_cast<std::uint16_t>(*port);
}

int ReadMilliseconds(const std::string& option, const std::string& text) {
  const auto value = ReadWholeNumber(text, kMaxMilliseconds);
  if (!value)
    throw UsageError(option + " needs milliseconds from 0 to 600000, not \"" + text + "\"");
  return *value;
}

int ReadTimeout(const std::string& text) {
  const auto value = ReadWholeNumber(text, kMaxTimeoutSeconds);
  if (!value || *value == 0)
    throw UsageError("--timeout needs seconds from 1 to 3600, not \"" + text + "\"");
  return *value;
}

KnockProtocol ReadProtocol(const std::string& code, const KnockSender& sender) {
  const std::string_view protocol = ActionProtocol(code);
  const std::string codes =
      sender.sockets ? "a TCP (dt, at) or UDP (du, au) code" : "a TCP code (dt, at)";
  if (protocol == "TCP") return KnockProtocol::kTcp;
  if (protocol == "UDP" && sender.sockets) return KnockProtocol::kUdp;
  if (protocol == "UDP" || protocol == "ICMP") {
    throw UsageError("action code \"" + code + "\" is " +
                     (protocol == "UDP" ? "a UDP" : "an ICMP") + " knock, which " + sender.name +
                     " does not send; use " + codes);
  }
  throw UsageError("unknown action code \"" + code + "\": use " +
                   (sender.sockets ? "dt, du, at or au" : "dt or at"));
}

// The ports paired with their codes: the last code serves the remaining ports.
// More codes than ports would have quennet look for the last port under the last
// code but verify it under the code at its own place.
std::vector<KnockPacket> ReadKnocks(const std::string& ports_text, const std::string& actions_text,
                                    const KnockSender& sender) {
  const std::vector<std::string> ports = SplitAll(ports_text, ',');
  const std::vector<std::string> codes = SplitAll(actions_text, ',');
  if (codes.size() > ports.size()) throw UsageError("ACTIONS has more codes than PORTS has ports");
  std::vector<KnockPacket> knocks;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    knocks.push_back(
        {ReadPort(ports[i]), ReadProtocol(codes[std::min(i, codes.size() - 1)], sender)});
  }
  return knocks;
}

// The port after the highest knock port that is not a knock port itself.
std::uint16_t DefaultNudgePort(const std::vector<KnockPacket>& knocks) {
  const auto is_knock = [&](int port) {
    return std::any_of(knocks.begin(), knocks.end(),
                       [&](const KnockPacket& k) { return k.port == port; });
  };
  int port = std::max_element(knocks.begin(), knocks.end(), [](auto& a, auto& b) {
               return a.port < b.port;
             })->port;
  for (int tries = 0; tries < kMaxPort; ++tries) {
    port = port % kMaxPort + 1;
    if (!is_knock(port)) return static_cast<std::uint16_t>(port);
  }
  throw UsageError("every port is a knock port: no port is left for the nudge");
}

// A literal in brackets loses them; a literal of the other family than -4 or -6
// asked for is refused here, with a clearer word than the resolver would have.
std::string ReadHost(std::string host, AddressFamily family) {
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  if (host.empty()) throw UsageError("HOST is empty");
  const bool ipv6_literal = host.find(':') != std::string::npos;
  const bool ipv4_literal = host.find_first_not_of("0123456789.") == std::string::npos;
  if (family == AddressFamily::kIPv4 && ipv6_literal)
    throw UsageError("-4 asks for IPv4, but " + host + " is IPv6");
  if (family == AddressFamily::kIPv6 && ipv4_literal)
    throw UsageError("-6 asks for IPv6, but " + host + " is IPv4");
  return host;
}

const std::string& OptionValue(const std::vector<std::string>& arguments, std::size_t& i) {
  if (i + 1 >= arguments.size()) throw UsageError(arguments[i] + " needs a value");
  return arguments[++i];
}

}  // namespace

KnockPlan ParseKnockOptions(const std::vector<std::string>& arguments, const KnockSender& sender) {
  KnockPlan plan;
  std::vector<std::string> operands;
  std::optional<std::uint16_t> nudge_port;
  bool no_nudge = false;
  bool timeout_given = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help") {
      plan.help = true;
      return plan;
    } else if (sender.sockets && (argument == "-4" || argument == "-6")) {
      const auto family = argument == "-4" ? AddressFamily::kIPv4 : AddressFamily::kIPv6;
      if (plan.family != AddressFamily::kAny && plan.family != family)
        throw UsageError("-4 and -6 exclude each other");
      plan.family = family;
    } else if (argument == "--delay") {
      plan.delay_ms = ReadMilliseconds(argument, OptionValue(arguments, i));
    } else if (argument == "--nudge-after") {
      plan.nudge_after_ms = ReadMilliseconds(argument, OptionValue(arguments, i));
    } else if (argument == "--nudge") {
      nudge_port = ReadPort(OptionValue(arguments, i));
    } else if (sender.sockets && argument == "--open") {
      plan.open_port = ReadPort(OptionValue(arguments, i));
    } else if (sender.sockets && argument == "--timeout") {
      plan.open_timeout_s = ReadTimeout(OptionValue(arguments, i));
      timeout_given = true;
    } else if (argument == "--no-nudge") {
      no_nudge = true;
    } else if (sender.sockets && argument == "-q") {
      plan.quiet = true;
    } else if (sender.own_options.contains(argument)) {
      plan.own[argument] = OptionValue(arguments, i);
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    } else {
      operands.push_back(argument);
    }
  }
  if (operands.size() < 2 || operands.size() > 3) throw UsageError("expected HOST PORTS [ACTIONS]");
  if (nudge_port && no_nudge) throw UsageError("--nudge and --no-nudge exclude each other");
  plan.host = ReadHost(operands[0], plan.family);
  plan.knocks = ReadKnocks(operands[1], operands.size() == 3 ? operands[2] : "dt", sender);
  if (timeout_given && !plan.open_port) throw UsageError("--timeout needs --open");
  // The attempts on the open port end the wait for the log as the nudge would.
  if (nudge_port || !(no_nudge || plan.open_port))
    plan.nudge_port = nudge_port ? *nudge_port : DefaultNudgePort(plan.knocks);
  for (const KnockPacket& knock : plan.knocks) {
    if (knock.port == plan.nudge_port)
      throw UsageError("the nudge port " + std::to_string(knock.port) + " is a knock port");
    if (knock.port == plan.open_port)
      throw UsageError("the --open port " + std::to_string(knock.port) + " is a knock port");
  }
  return plan;
}

}  // namespace quennet
