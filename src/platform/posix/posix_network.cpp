#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/network.h"
#include "platform/posix/file_descriptor.h"
#include "platform/sockets/socket_lookup.h"

namespace quennet {

std::string LookupErrorText(int result) {
  return result == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(result);
}

namespace {

int OpenSocket(const addrinfo& target, int type, const std::string& what) {
  const int fd = socket(target.ai_family, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) throw NetworkFailure(what, std::strerror(errno));
  return fd;
}

// Errors that say the packet never reached the network or the host.
bool IsNotSent(int error) {
  return error != 0 && error != ECONNREFUSED && error != ETIMEDOUT && error != ECONNRESET;
}

// Starts a connection and waits up to `milliseconds` for it: true once it is
// established. An answer that says the SYN went nowhere throws a RuntimeError; no
// answer is what a knock on a closed port gets.
bool Connect(int fd, const addrinfo& target, int milliseconds, const std::string& what) {
  if (connect(fd, target.ai_addr, target.ai_addrlen) == 0) return true;
  int error = errno;
  if (error == EINPROGRESS) {
    pollfd attempt{fd, POLLOUT, 0};
    if (poll(&attempt, 1, milliseconds) <= 0) return false;
    socklen_t size = sizeof error;
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
  }
  if (IsNotSent(error)) throw NetworkFailure(what, std::strerror(error));
  return error == 0;
}

class PosixNetwork : public Network {
 public:
  std::string Resolve(const std::string& host, AddressFamily family) override {
    return ResolveToText(host, family);
  }

  void SendConnectionAttempt(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("TCP", address, port);
    const auto target = Target(address, port, SOCK_STREAM, what);
    const UniqueFd socket_fd(OpenSocket(*target, SOCK_STREAM, what));
    Connect(socket_fd.get(), *target, kConnectionAttemptMilliseconds, what);
  }

  bool TryConnection(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("TCP", address, port);
    const auto target = Target(address, port, SOCK_STREAM, what);
    const UniqueFd socket_fd(OpenSocket(*target, SOCK_STREAM, what));
    if (!Connect(socket_fd.get(), *target, kOpenAttemptMilliseconds, what)) return false;
    pollfd hang_up{socket_fd.get(), POLLIN, 0};
    if (poll(&hang_up, 1, kOpenHoldMilliseconds) <= 0) return true;
    char first = 0;
    return recv(socket_fd.get(), &first, 1, MSG_PEEK) > 0;  // a greeting, not an end
  }

  void SendDatagram(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("UDP", address, port);
    const auto target = Target(address, port, SOCK_DGRAM, what);
    const UniqueFd socket_fd(OpenSocket(*target, SOCK_DGRAM, what));
    if (sendto(socket_fd.get(), "", 0, 0, target->ai_addr, target->ai_addrlen) < 0) {
      throw NetworkFailure(what, std::strerror(errno));
    }
  }
};

}  // namespace

std::unique_ptr<Network> MakeNetwork() { return std::make_unique<PosixNetwork>(); }

}  // namespace quennet
