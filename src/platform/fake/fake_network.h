#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/network.h"

namespace quennet {

// Records each packet as "TCP ADDRESS PORT", "UDP ADDRESS PORT" or "try ADDRESS
// PORT", with the clock's elapsed time in front ("1200 TCP ..."). Connections are
// accepted from the attempt numbered `accept_from` on (counting from 1; 0: never).
class FakeNetwork : public Network {
 public:
  explicit FakeNetwork(Clock& clock) : clock_(clock) {}

  std::vector<std::string> packets;
  int accept_from = 0;

  std::string Resolve(const std::string& host, AddressFamily) override { return host; }
  void SendConnectionAttempt(const std::string& address, std::uint16_t port) override {
    Record("TCP", address, port);
  }
  void SendDatagram(const std::string& address, std::uint16_t port) override {
    Record("UDP", address, port);
  }
  bool TryConnection(const std::string& address, std::uint16_t port) override {
    Record("try", address, port);
    return accept_from > 0 && ++tries_ >= accept_from;
  }

 private:
  void Record(const char* what, const std::string& address, std::uint16_t port) {
    packets.push_back(std::to_string(clock_.ElapsedMilliseconds()) + " " + what + " " + address +
                      " " + std::to_string(port));
  }

  Clock& clock_;
  int tries_ = 0;
};

}  // namespace quennet
