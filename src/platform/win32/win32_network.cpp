// Winsock first: it must come before anything that includes <windows.h>.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <string>

#include "platform/network.h"
#include "platform/socket_lookup.h"

namespace quennet {
namespace {

// The system's text for a Winsock error, without its line end.
std::string ErrorText(int error) {
  char text[512] = {};
  const DWORD size = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                    static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
  std::string message(text, size);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
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
  if (handle == INVALID_SOCKET) throw NetworkError(what + ": " + ErrorText(WSAGetLastError()));
  return handle;
}

bool IsNotSent(int error) {
  return error != 0 && error != WSAECONNREFUSED && error != WSAETIMEDOUT && error != WSAECONNRESET;
}

class Win32Network : public Network {
 public:
  Win32Network() {
    WSADATA data;
    const int result = WSAStartup(MAKEWORD(2, 2), &data);
    if (result != 0) throw NetworkError("cannot start Winsock: " + ErrorText(result));
  }
  Win32Network(const Win32Network&) = delete;
  Win32Network& operator=(const Win32Network&) = delete;
  ~Win32Network() override { WSACleanup(); }

  std::string Resolve(const std::string& host, AddressFamily family) override { return ResolveToText(host, family); }

  void SendConnectionAttempt(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("TCP", address, port);
    const auto target = Target(address, port, SOCK_STREAM, what);
    const Socket socket_handle(OpenSocket(*target, SOCK_STREAM, what));
    u_long non_blocking = 1;
    ioctlsocket(socket_handle.get(), FIONBIO, &non_blocking);
    if (connect(socket_handle.get(), target->ai_addr, static_cast<int>(target->ai_addrlen)) == 0) return;
    const int error = WSAGetLastError();
    if (error != WSAEWOULDBLOCK) {
      if (IsNotSent(error)) throw NetworkError(what + ": " + ErrorText(error));
      return;
    }
    // The SYN is out. An early answer that says it went nowhere is a failure; no
    // answer is what a knock on a closed port gets. Winsock reports a connection in
    // the write set and a failed attempt in the exception set.
    fd_set connected;
    fd_set failed;
    FD_ZERO(&connected);
    FD_ZERO(&failed);
    FD_SET(socket_handle.get(), &connected);
    FD_SET(socket_handle.get(), &failed);
    timeval wait{0, kConnectionAttemptMilliseconds * 1000};
    if (select(0, nullptr, &connected, &failed, &wait) <= 0 || !FD_ISSET(socket_handle.get(), &failed)) return;
    int attempt_error = 0;
    int size = sizeof attempt_error;
    getsockopt(socket_handle.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&attempt_error), &size);
    if (IsNotSent(attempt_error)) throw NetworkError(what + ": " + ErrorText(attempt_error));
  }

  void SendDatagram(const std::string& address, std::uint16_t port) override {
    const std::string what = CannotSend("UDP", address, port);
    const auto target = Target(address, port, SOCK_DGRAM, what);
    const Socket socket_handle(OpenSocket(*target, SOCK_DGRAM, what));
    if (sendto(socket_handle.get(), "", 0, 0, target->ai_addr, static_cast<int>(target->ai_addrlen)) == SOCKET_ERROR) {
      throw NetworkError(what + ": " + ErrorText(WSAGetLastError()));
    }
  }
};

}  // namespace

std::unique_ptr<Network> MakeNetwork() { return std::make_unique<Win32Network>(); }

}  // namespace quennet
