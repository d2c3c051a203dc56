// Winsock first: it must come before anything that includes <windows.h>.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <string>

#include "platform/network.h"
#include "platform/sockets/socket_lookup.h"

namespace quennet {
namespace {

// The system's text for a Winsock error, without its line end.
std::string ErrorText(int error) {
  char text[512] = {};
  const DWORD size =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
  std::string message(text, size);
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message.empty() ? "Winsock error " + std::to_string(error) : message;
}

}  // namespace

std::string LookupErrorText(int result) { return ErrorText(result); }

namespace {

class Socket {
 public:
  explicit Socket(SOCKET handle) : handle_(handle) {}
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() {
    if (handle_ != INVALID_SOCKET) closesocket(handle_);
  }
  SOCKET get() const { return handle_; }

 private:
  SOCKET handle_;
};

SOCKET OpenSocket(const addrinfo& target, int type, const std::string& what) {
  const SOCKET handle = socket(target.ai_family, type, 0);
  if (handle == INVALID_SOCKET) throw NetworkFailure(what, ErrorText(WSAGetLastError()));
  return handle;
}

bool IsNotSent(int error) {
  return error != 0 && error != WSAECONNREFUSED && error != WSAETIMEDOUT && error != WSAECONNRESET;
}

// Starts a connection and waits up to `milliseconds` for it: true once it is
// established. An answer that says the SYN went nowhere throws a RuntimeError; no
// answer is what a knock on a closed port gets. Winsock reports a connection in the
// write set and a failed attempt in the exception set.
bool Connect(SOCKET handle, const addrinfo& target, int milliseconds, const std::string& what) {
  u_long non_blocking = 1;
  ioctlsocket(handle, FIONBIO, &non_blocking);
  if (connect(handle, target.ai_addr, static_cast<int>(target.ai_addrlen)) == 0) return true;
  int error = WSAGetLastError();
  if (error == WSAEWOULDBLOCK) {
    fd_set connected;
    fd_set failed;
    FD_ZERO(&connected);
    FD_ZERO(&failed);
    FD_SET(handle, &connected);
    FD_SET(handle, &failed);
    timeval wait{milliseconds / 1000, milliseconds % 1000 * 1000};
    if (select(0, nullptr, &connected, &failed, &wait) <= 0) return false;
    if (!FD_ISSET(handle, &failed)) return true;
    int size = sizeof error;
    getsockopt(handle, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
  }
  if (IsNotSent(error)) throw NetworkFailure(what, ErrorText(error));
  return false;
}

class Win32Network : public Network {
 public:
  Win32Network() {
    WSADATA data;
    const int result = WSAStartup(MAKEWORD(2, 2), &data);
    if (result != 0) throw NetworkFailure("cannot start Winsock", ErrorText(result));
  }
  Win32Network(const Win32Network&) = delete;
  Win32Network& operator=(const Win32Network&) = delete;
  ~Win32Network() override { WSACleanup(); }

  std::string Resolve(const std::string& host, AddressFamily family) override {
    return ResolveToText(host, family);
  }

  void SendConnectionAttempt(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("TCP", address, port);
    const auto target = Target(address, port, SOCK_STREAM, what);
    const Socket socket_handle(OpenSocket(*target, SOCK_STREAM, what));
    Connect(socket_handle.get(), *target, kConnectionAttemptMilliseconds, what);
  }

  bool TryConnection(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("TCP", address, port);
    const auto target = Target(address, port, SOCK_STREAM, what);
    const Socket socket_handle(OpenSocket(*target, SOCK_STREAM, what));
    if (!Connect(socket_handle.get(), *target, kOpenAttemptMilliseconds, what)) return false;
    fd_set hang_up;
    FD_ZERO(&hang_up);
    FD_SET(socket_handle.get(), &hang_up);
    timeval wait{0, kOpenHoldMilliseconds * 1000};
    if (select(0, &hang_up, nullptr, nullptr, &wait) <= 0) return true;
    char first = 0;
    return recv(socket_handle.get(), &first, 1, MSG_PEEK) > 0;  // a greeting, not an end
  }

  void SendDatagram(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("UDP", address, port);
    const auto target = Target(address, port, SOCK_DGRAM, what);
    const Socket socket_handle(OpenSocket(*target, SOCK_DGRAM, what));
    if (sendto(socket_handle.get(), "", 0, 0, target->ai_addr,
               static_cast<int>(target->ai_addrlen)) == SOCKET_ERROR) {
      throw NetworkFailure(what, ErrorText(WSAGetLastError()));
    }
  }
};

}  // namespace

std::unique_ptr<Network> MakeNetwork() { return std::make_unique<Win32Network>(); }

}  // namespace quennet
