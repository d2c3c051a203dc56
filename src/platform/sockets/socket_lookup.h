#pragma once

// Name and address lookups in the socket calls that POSIX and Winsock share by name,
// for the two network services. Include it after the platform's socket headers
// (<netdb.h>, or <winsock2.h> and <ws2tcpip.h>).

#include <cstdint>
#include <memory>
#include <string>

#include "errors/error.h"
#include "platform/network.h"

namespace quennet {

// A name that does not resolve, or a packet that cannot be sent: `what` says which,
// `reason` why, in the system's words.
inline RuntimeError NetworkFailure(const std::string& what, const std::string& reason) {
  return SystemError(kErrDeviceUnavailable, what, {}, reason);
}

// The text for an error that getaddrinfo or getnameinfo returned; one per platform.
std::string LookupErrorText(int result);

struct AddrInfoFree {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddrInfoList = std::unique_ptr<addrinfo, AddrInfoFree>;

// getaddrinfo, or the NetworkFailure of `what`.
inline AddrInfoList Lookup(const char* host, const char* service, const addrinfo& hints,
                           const std::string& what) {
  addrinfo* list = nullptr;
  const int result = getaddrinfo(host, service, &hints, &list);
  if (result != 0) throw NetworkFailure(what, LookupErrorText(result));
  return AddrInfoList(list);
}

// The numeric text of the first address of `host` in `family`.
inline std::string ResolveToText(const std::string& host, AddressFamily family) {
  addrinfo hints{};
  hints.ai_family = family == AddressFamily::kIPv4   ? AF_INET
                    : family == AddressFamily::kIPv6 ? AF_INET6
                                                     : AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  const std::string what = "unknown host " + host;
  const auto list = Lookup(host.c_str(), nullptr, hints, what);
  char text[NI_MAXHOST];
  const int result = getnameinfo(list->ai_addr, static_cast<socklen_t>(list->ai_addrlen), text,
                                 sizeof text, nullptr, 0, NI_NUMERICHOST);
  if (result != 0) throw NetworkFailure(what, LookupErrorText(result));
  return text;
}

// The socket address of a numeric address and a port.
inline AddrInfoList Target(const std::string& address, std::uint16_t port, int type,
                           const std::string& what) {
  addrinfo hints{};
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  hints.ai_socktype = type;
  return Lookup(address.c_str(), std::to_string(port).c_str(), hints, what);
}

// How a failed send begins: "cannot send TCP to ADDRESS port PORT".
inline std::string CannotSend(const char* protocol, const std::string& address,
                              std::uint16_t port) {
  return std::string("cannot send ") + protocol + " to " + address + " port " +
         std::to_string(port);
}

}  // namespace quennet
