#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/network.h"
#include "platform/posix/file_descriptor.h"

namespace quennet {
namespace {

struct AddrInfoFree {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddrInfoList = std::unique_ptr<addrinfo, AddrInfoFree>;

int FamilyOf(AddressFamily family) {
  switch (family) {
    case AddressFamily::kIPv4: return AF_INET;
    case AddressFamily::kIPv6: return AF_INET6;
    case AddressFamily::kAny: break;
  }
  return AF_UNSPEC;
}

// getaddrinfo, or the NetworkError "what: reason".
AddrInfoList Lookup(const char* host, const char* service, const addrinfo& hints, const std::string& what) {
  addrinfo* list = nullptr;
  const int result = getaddrinfo(host, service, &hints, &list);
  if (result == EAI_SYSTEM) throw NetworkError(what + ": " + std::strerror(errno));
  if (result != 0) throw NetworkError(what + ": " + gai_strerror(result));
  return AddrInfoList(list);
}

std::string Describe(const char* protocol, const std::string& address, std::uint16_t port) {
  return std::string("cannot send ") + protocol + " to " + address + " port " + std::to_string(port);
}

// The socket address of a numeric address and port.
AddrInfoList Target(const std::string& address, std::uint16_t port, int type, const std::string& what) {
  addrinfo hints{};
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  hints.ai_socktype = type;
  return Lookup(address.c_str(), std::to_string(port).c_str(), hints, what);
}

int OpenSocket(const addrinfo& target, int type, const std::string& what) {
  const int fd = socket(target.ai_family, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) throw NetworkError(what + ": " + std::strerror(errno));
  return fd;
}

// Errors that say the packet never reached the network or the host.
bool IsNotSent(int error) {
  return error != 0 && error != ECONNREFUSED && error != ETIMEDOUT && error != ECONNRESET;
}

class PosixNetwork : public Network {
 public:
  std::string Resolve(const std::string& host, AddressFamily family) override {
    addrinfo hints{};
    hints.ai_family = FamilyOf(family);
    hints.ai_socktype = SOCK_STREAM;
    const auto list = Lookup(host.c_str(), nullptr, hints, "unknown host " + host);
    char text[NI_MAXHOST];
    const int result = getnameinfo(list->ai_addr, list->ai_addrlen, text, sizeof text, nullptr, 0, NI_NUMERICHOST);
    if (result != 0) throw NetworkError("unknown host " + host + ": " + gai_strerror(result));
    return text;
  }

  void SendConnectionAttempt(const std::string& address, std::uint16_t port) override {
    const std::string what = Describe("TCP", address, port);
    const auto target = Target(address, port, SOCK_STREAM, what);
    const UniqueFd socket_fd(OpenSocket(*target, SOCK_STREAM, what));
    if (connect(socket_fd.get(), target->ai_addr, target->ai_addrlen) == 0) return;
    if (errno != EINPROGRESS) {
      if (IsNotSent(errno)) throw NetworkError(what + ": " + std::strerror(errno));
      return;
    }
    // The SYN is out. An early answer that says it went nowhere is a failure;
    // no answer is what a knock on a closed port gets.
    pollfd attempt{socket_fd.get(), POLLOUT, 0};
    if (poll(&attempt, 1, kConnectionAttemptMilliseconds) <= 0) return;
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(socket_fd.get(), SOL_SOCKET, SO_ERROR, &error, &size);
    if (IsNotSent(error)) throw NetworkError(what + ": " + std::strerror(error));
  }

  void SendDatagram(const std::string& address, std::uint16_t port) override {
    const std::string what = Describe("UDP", address, port);
    const auto target = Target(address, port, SOCK_DGRAM, what);
    const UniqueFd socket_fd(OpenSocket(*target, SOCK_DGRAM, what));
    if (sendto(socket_fd.get(), "", 0, 0, target->ai_addr, target->ai_addrlen) < 0) {
      throw NetworkError(what + ": " + std::strerror(errno));
    }
  }
};

}  // namespace

std::unique_ptr<Network> MakeNetwork() { return std::make_unique<PosixNetwork>(); }

}  // namespace quennet
