#include "client/send_knock.h"

#include <chrono>
#include <thread>

namespace quennet {
namespace {

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace

void SendKnock(const KnockPlan& plan, const std::string& address, Network& network, std::ostream& out) {
  const auto report = [&](const char* protocol, std::uint16_t port, const std::string& what) {
    if (!plan.quiet) out << what << ": " << protocol << " to " << address << " port " << port << std::endl;
  };
  const std::size_t count = plan.knocks.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) Pause(plan.delay_ms);
    const KnockPacket& knock = plan.knocks[i];
    const std::string what = "knock " + std::to_string(i + 1) + " of " + std::to_string(count);
    if (knock.protocol == KnockProtocol::kTcp) {
      network.SendConnectionAttempt(address, knock.port);
      report("TCP", knock.port, what);
    } else {
      network.SendDatagram(address, knock.port);
      report("UDP", knock.port, what);
    }
  }
  if (!plan.nudge_port) return;
  Pause(plan.nudge_after_ms);
  network.SendConnectionAttempt(address, *plan.nudge_port);
  report("TCP", *plan.nudge_port, "nudge");
}

}  // namespace quennet
