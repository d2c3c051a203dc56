#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quennet {

enum class AddressFamily { kAny, kIPv4, kIPv6 };

// The knock client's packets. Addresses travel as numeric text (203.0.113.45, ::1).
class Network {
 public:
  virtual ~Network() = default;
  // The first address of `host` (a name or a literal of either family) in `family`.
  virtual std::string Resolve(const std::string& host, AddressFamily family) = 0;
  // One TCP connection attempt, abandoned (closed) well before the system would send
  // its SYN again, so one knock is one SYN: an answer is waited for at most
  // kConnectionAttemptMilliseconds.
  virtual void SendConnectionAttempt(const std::string& address, std::uint16_t port) = 0;
  // One empty UDP datagram.
  virtual void SendDatagram(const std::string& address, std::uint16_t port) = 0;
  // Whether the port accepts a TCP connection: established within
  // kOpenAttemptMilliseconds and neither closed nor reset by the other side in the
  // kOpenHoldMilliseconds after. A port the firewall drops never gets that far; one
  // that answers and hangs up at once is taken for closed too. The connection is
  // closed again either way. Throws RuntimeError only when nothing could be sent.
  virtual bool TryConnection(const std::string& address, std::uint16_t port) = 0;
};

// Defined once per platform, in platform/posix or platform/win32.
std::unique_ptr<Network> MakeNetwork();

// How long a connection attempt may wait for an answer before it is abandoned: well
// below the first retransmission (one second on Linux and recent Windows).
inline constexpr int kConnectionAttemptMilliseconds = 250;

// How long TryConnection waits for the connection (one SYN: below the first
// retransmission) and then watches it for a hang-up.
inline constexpr int kOpenAttemptMilliseconds = 400;
inline constexpr int kOpenHoldMilliseconds = 100;

}  // namespace quennet
