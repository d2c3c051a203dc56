#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/network.h"
#include "shared/usage_error.h"

namespace quennet {

enum class KnockProtocol { kTcp, kUdp };

struct KnockPacket {
  std::uint16_t port;
  KnockProtocol protocol;
};

// What sends the knock that a command line describes.
struct KnockSender {
  std::string name;  // in messages: "quennet-knock", "a browser"
  // Sockets of its own: UDP knocks, and the options -4, -6 and -q. A browser has none.
  bool sockets = true;
  // Options of the program's own, each with a value, kept in KnockPlan::own.
  std::set<std::string> own_options;
};

// What one knock sends, and how.
struct KnockPlan {
  std::string host;  // a name, or a literal without brackets
  AddressFamily family = AddressFamily::kAny;
  std::vector<KnockPacket> knocks;
  int delay_ms = 200;
  int nudge_after_ms = 2000;
  std::optional<std::uint16_t> nudge_port;  // none: no nudge
  // After the knock, wait for this TCP port to accept a connection; none: do not.
  std::optional<std::uint16_t> open_port;
  int open_timeout_s = 30;
  bool quiet = false;
  bool help = false;                       // only --help was asked for; nothing else is filled in
  std::map<std::string, std::string> own;  // the sender's own options that were given
};

// Reads `[options] HOST PORTS [ACTIONS]` (the arguments after the program's name).
// PORTS and ACTIONS are read as quennet reads its first two tokens, and refused
// where quennet could never verify the knock they make or `sender` cannot send it.
KnockPlan ParseKnockOptions(const std::vector<std::string>& arguments, const KnockSender& sender);

}  // namespace quennet
