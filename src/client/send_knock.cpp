#include "client/send_knock.h"

#include <string>

namespace quennet {
namespace {

constexpr int kOpenRetryMilliseconds = 500;

// Seconds to one decimal, rounded: 6150 ms is "6.2".
std::string Seconds(std::int64_t milliseconds) {
  const std::int64_t tenths = (milliseconds + 50) / 100;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

std::int64_t SendKnock(const KnockPlan& plan, const std::string& address, Network& network,
                       Clock& clock, std::ostream& out) {
  const auto report = [&](const char* protocol, std::uint16_t port, const std::string& what) {
    if (!plan.quiet)
      out << what << ": " << protocol << " to " << address << " port " << port << std::endl;
  };
  const std::size_t count = plan.knocks.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) clock.Sleep(plan.delay_ms);
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
  const std::int64_t knocked = clock.ElapsedMilliseconds();
  if (!plan.nudge_port) return knocked;
  clock.Sleep(plan.nudge_after_ms);
  network.SendConnectionAttempt(address, *plan.nudge_port);
  report("TCP", *plan.nudge_port, "nudge");
  return knocked;
}

bool WaitForOpenPort(const KnockPlan& plan, const std::string& address, Network& network,
                     Clock& clock, std::int64_t knocked, std::ostream& out) {
  const std::uint16_t port = *plan.open_port;
  const std::int64_t deadline = knocked + plan.open_timeout_s * std::int64_t{1000};
  for (std::int64_t due = clock.ElapsedMilliseconds();; due += kOpenRetryMilliseconds) {
    const std::int64_t now = clock.ElapsedMilliseconds();
    if (due > now) clock.Sleep(static_cast<int>(due - now));
    const std::int64_t tried = clock.ElapsedMilliseconds();
    if (network.TryConnection(address, port)) {
      if (!plan.quiet)
        out << "port " << port << " open after " << Seconds(tried - knocked) << " s" << std::endl;
      return true;
    }
    if (due + kOpenRetryMilliseconds >= deadline) break;
  }
  if (!plan.quiet)
    out << "port " << port << " still closed after " << plan.open_timeout_s << " s" << std::endl;
  return false;
}

}  // namespace quennet
