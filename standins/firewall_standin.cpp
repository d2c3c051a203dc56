// A stand-in for the Windows Firewall on loopback, for the demo, the latency benchmark
// and the client's end-to-end tests (not shipped). It listens on 127.0.0.1 and ::1 on the ports it
// is given, for TCP connections and UDP datagrams, and appends one line per connection attempt or
// datagram to the live log, the way the firewall logs a dropped packet (local time,
// CR LF, "DROP TCP" / "DROP UDP", fields in the order of its #Fields: header). A hit
// on the --on port starts COMMAND, with each "{address}" in it replaced by the
// sender's address, as a task triggered by the firewall would. The --full ports drop
// every TCP SYN instead, unanswered and unlogged, as the firewall drops a packet: the
// listener there on 127.0.0.1 is held with its queue full, and the system counts each
// SYN it drops in TcpExtListenDrops (/proc/net/netstat).
//
// With --protect PORT --record FILE it stands for the port the knock opens as well:
// it drops and logs each connection attempt to PORT (the attempt is answered and at
// once reset, which a client that waits for the port takes for closed) until FILE,
// where the stand-in commands record, holds the netsh command that opens PORT; from
// then on it accepts connections to PORT and keeps them open, as the service behind
// the rule would.
//
//   firewall_standin --log PATH --ports P,P,... [--full P,P,...] [--on PORT]
//                    [--start-after MS] [--lines N] [--seconds S]
//                    [--protect PORT --record FILE] [-- COMMAND ARG...]
//
// Standard output: "ready" once it listens, then per packet the wall-clock time in
// seconds and the log line, per start "started" and the command, and "opened PORT"
// once the rule is there. Started commands share that output. It ends by itself:
// once it has logged N lines on the --ports (attempts on the protected port do not
// count), the commands it started have ended and, if the port was opened, a client
// has connected there and left (exit 0); or after S seconds (default 60), when it
// stops what it started and exits 1. Bad arguments or a port it cannot listen on: 2.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string log;
  std::vector<int> ports;
  std::vector<int> full_ports;
  int on_port = 0;
  int start_after_ms = 0;
  long lines = -1;  // no limit
  int seconds = 60;
  int protect = 0;
  std::string record;
  std::vector<std::string> command;
};

struct Listener {
  int fd;
  bool tcp;
  int port;
  const char* local;
};

struct PendingStart {
  Clock::time_point due;
  std::string address;
};

[[noreturn]] void Die(const std::string& message) {
  std::fprintf(stderr, "firewall_standin: %s\n", message.c_str());
  std::exit(2);
}

int ReadNumber(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < 0 || value > 1000000)
    Die(std::string("bad number: ") + text);
  return static_cast<int>(value);
}

std::vector<int> ReadPorts(std::string list) {
  std::vector<int> ports;
  while (!list.empty()) {
    const auto comma = list.find(',');
    ports.push_back(ReadNumber(list.substr(0, comma).c_str()));
    list = comma == std::string::npos ? "" : list.substr(comma + 1);
  }
  return ports;
}

Options ReadOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--") {
      options.command.assign(argv + i + 1, argv + argc);
      break;
    }
    if (i + 1 >= argc) Die("missing value for " + argument);
    const char* value = argv[++i];
    if (argument == "--log") {
      options.log = value;
    } else if (argument == "--ports") {
      options.ports = ReadPorts(value);
    } else if (argument == "--full") {
      options.full_ports = ReadPorts(value);
    } else if (argument == "--on") {
      options.on_port = ReadNumber(value);
    } else if (argument == "--start-after") {
      options.start_after_ms = ReadNumber(value);
    } else if (argument == "--lines") {
      options.lines = ReadNumber(value);
    } else if (argument == "--seconds") {
      options.seconds = ReadNumber(value);
    } else if (argument == "--protect") {
      options.protect = ReadNumber(value);
    } else if (argument == "--record") {
      options.record = value;
    } else {
      Die("unknown option " + argument);
    }
  }
  if (options.log.empty() || options.ports.empty()) Die("--log and --ports are required");
  if ((options.protect == 0) != options.record.empty()) Die("--protect and --record go together");
  return options;
}

// Only ever loopback addresses.
Listener Listen(const char* local, int port, bool tcp, int backlog = 64) {
  const bool ipv6 = std::strchr(local, ':') != nullptr;
  sockaddr_storage address{};
  socklen_t size = 0;
  if (ipv6) {
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(static_cast<uint16_t>(port));
    in6->sin6_addr = in6addr_loopback;
    size = sizeof *in6;
  } else {
    auto* in4 = reinterpret_cast<sockaddr_in*>(&address);
    in4->sin_family = AF_INET;
    in4->sin_port = htons(static_cast<uint16_t>(port));
    in4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    size = sizeof *in4;
  }
  const int fd =
      socket(ipv6 ? AF_INET6 : AF_INET, (tcp ? SOCK_STREAM : SOCK_DGRAM) | SOCK_CLOEXEC, 0);
  const int on = 1;
  if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      (ipv6 && setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on) != 0) ||
      bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      (tcp && listen(fd, backlog) != 0)) {
    Die(std::string("cannot listen on ") + local + " port " + std::to_string(port) + ": " +
        std::strerror(errno));
  }
  return {fd, tcp, port, local};
}

// The numeric address and port of a peer.
std::pair<std::string, std::string> Peer(const sockaddr_storage& peer, socklen_t size) {
  char host[NI_MAXHOST] = "-";
  char service[NI_MAXSERV] = "-";
  getnameinfo(reinterpret_cast<const sockaddr*>(&peer), size, host, sizeof host, service,
              sizeof service, NI_NUMERICHOST | NI_NUMERICSERV);
  return {host, service};
}

std::string LocalStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

void Append(const std::string& path, const std::string& text) {
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    Die("cannot write " + path + ": " + std::strerror(errno));
  }
  close(fd);
}

void WriteHeaderIfEmpty(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) == 0 && status.st_size > 0) return;
  Append(path,
         "#Version: 1.5\r\n#Software: Microsoft Windows Firewall\r\n#Time Format: Local\r\n"
         "#Fields: date time action protocol src-ip dst-ip src-port dst-port size tcpflags tcpsyn "
         "tcpack tcpwin "
         "icmptype icmpcode info path\r\n\r\n");
}

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

class Standin {
 public:
  explicit Standin(Options options) : options_(std::move(options)) {}

  void Listen() {
    for (int port : options_.ports) {
      for (const char* local : {"127.0.0.1", "::1"}) {
        listeners_.push_back(::Listen(local, port, true));
        listeners_.push_back(::Listen(local, port, false));
      }
    }
    if (options_.protect != 0) {
      for (const char* local : {"127.0.0.1", "::1"})
        listeners_.push_back(::Listen(local, options_.protect, true));
    }
    for (int port : options_.full_ports) HoldFull(port);
    WriteHeaderIfEmpty(options_.log);
  }

  int Run() {
    const auto deadline = Clock::now() + std::chrono::seconds(options_.seconds);
    while (!Done()) {
      if (Clock::now() >= deadline) return GiveUp();
      std::vector<pollfd> polled;
      for (const Listener& listener : listeners_) polled.push_back({listener.fd, POLLIN, 0});
      for (const int connection : held_) polled.push_back({connection, POLLIN, 0});
      if (poll(polled.data(), polled.size(), 50) < 0 && errno != EINTR) Die(std::strerror(errno));
      for (std::size_t i = 0; i < listeners_.size(); ++i) {
        if (polled[i].revents & POLLIN) Receive(listeners_[i]);
      }
      for (std::size_t i = listeners_.size(); i < polled.size(); ++i) {
        if (polled[i].revents != 0) HangUp(polled[i].fd);
      }
      StartDue();
      Reap();
      if (!opened_ && options_.protect != 0 && RuleRecorded()) {
        opened_ = true;
        Say("opened " + std::to_string(options_.protect));
      }
    }
    for (const int connection : held_) close(connection);
    return 0;
  }

 private:
  bool Done() {
    if (options_.lines < 0 || logged_ < options_.lines || !running_.empty() || !pending_.empty())
      return false;
    if (options_.protect == 0 || served_) return true;
    // A command started may still be about to record the rule: give it a moment.
    if (!opened_ && quiet_since_ == Clock::time_point()) quiet_since_ = Clock::now();
    return !opened_ && Clock::now() - quiet_since_ > std::chrono::seconds(2);
  }

  // Whether the stand-in netsh recorded the command that opens the protected port,
  // in the newer or the older form.
  bool RuleRecorded() const {
    const int fd = open(options_.record.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::string text;
    char chunk[4096];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;)
      text.append(chunk, static_cast<std::size_t>(n));
    close(fd);
    const std::string port = std::to_string(options_.protect);
    for (std::size_t begin = 0; begin < text.size();) {
      const std::size_t end = std::min(text.find('\n', begin), text.size());
      const std::string line = text.substr(begin, end - begin);
      if ((line.starts_with("netsh [advfirewall] [firewall] [add] [rule] ") &&
           line.find(" [localport=" + port + "] ") != std::string::npos) ||
          line.starts_with("Netsh [firewall] [add] [portopening] [tcp] [" + port + "] ")) {
        return true;
      }
      begin = end + 1;
    }
    return false;
  }

  // Drops a connection as the firewall would, but for the answer that loopback
  // cannot hold back: the reset tells the waiting client it is not open yet.
  static void Reset(int connection) {
    const linger abort{1, 0};
    setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    close(connection);
  }

  // A client ended a connection to the opened port (anything it sent is dropped).
  void HangUp(int connection) {
    char chunk[512];
    if (recv(connection, chunk, sizeof chunk, MSG_DONTWAIT) > 0) return;
    close(connection);
    held_.erase(std::find(held_.begin(), held_.end(), connection));
    served_ = true;
  }

  void Receive(const Listener& listener) {
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    std::string tail;
    if (listener.tcp) {
      const int connection =
          accept4(listener.fd, reinterpret_cast<sockaddr*>(&peer), &size, SOCK_CLOEXEC);
      if (connection < 0) return;
      const bool is_protected = listener.port == options_.protect;
      if (is_protected && opened_) {
        held_.push_back(connection);
        return;
      }
      if (is_protected) {
        --logged_;  // logged, but not one of the lines awaited
        Reset(connection);
      } else {
        close(connection);
      }
      tail = "52 S 0 0 65535 - - - RECEIVE";
    } else {
      char datagram[65536];
      const ssize_t bytes = recvfrom(listener.fd, datagram, sizeof datagram, 0,
                                     reinterpret_cast<sockaddr*>(&peer), &size);
      if (bytes < 0) return;
      tail = std::to_string(bytes) + " - - - - - - - RECEIVE";
    }
    const auto [address, source_port] = Peer(peer, size);
    const std::string line = LocalStamp() + (listener.tcp ? " DROP TCP " : " DROP UDP ") + address +
                             " " + listener.local + " " + source_port + " " +
                             std::to_string(listener.port) + " " + tail;
    Append(options_.log, line + "\r\n");
    ++logged_;
    const double wall =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.6f ", wall);
    Say(stamp + line);
    if (listener.port == options_.on_port && !options_.command.empty()) {
      pending_.push_back(
          {Clock::now() + std::chrono::milliseconds(options_.start_after_ms), address});
    }
  }

  void StartDue() {
    while (!pending_.empty() && pending_.front().due <= Clock::now()) {
      Start(pending_.front().address);
      pending_.erase(pending_.begin());
    }
  }

  void Start(const std::string& address) {
    std::vector<std::string> arguments = options_.command;
    std::string shown = "started";
    for (std::string& argument : arguments) {
      for (auto at = argument.find("{address}"); at != std::string::npos;
           at = argument.find("{address}", at)) {
        argument.replace(at, 9, address);
        at += address.size();
      }
      shown += " " + argument;
    }
    Say(shown);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      const int null = open("/dev/null", O_RDONLY);
      dup2(null, STDIN_FILENO);
      std::signal(SIGPIPE, SIG_DFL);
      execvp(argv[0], argv.data());
      std::fprintf(stderr, "firewall_standin: cannot start %s: %s\n", argv[0],
                   std::strerror(errno));
      _exit(127);
    }
    if (child < 0) Die(std::string("fork: ") + std::strerror(errno));
    running_.push_back(child);
  }

  void Reap() {
    for (auto it = running_.begin(); it != running_.end();) {
      it = waitpid(*it, nullptr, WNOHANG) == *it ? running_.erase(it) : it + 1;
    }
  }

  int GiveUp() {
    std::fprintf(
        stderr,
        "firewall_standin: stopped after %d s with %ld lines logged and %zu commands running\n",
        options_.seconds, logged_, running_.size());
    for (pid_t child : running_) kill(child, SIGTERM);
    for (pid_t child : running_) waitpid(child, nullptr, 0);
    return 1;
  }

  // A queue of no more than the one connection made here, which nobody takes.
  void HoldFull(int port) {
    const Listener listener = ::Listen("127.0.0.1", port, true, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int filler = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (filler < 0 || connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      Die("cannot fill the queue of port " + std::to_string(port) + ": " + std::strerror(errno));
    }
    filled_.push_back(listener.fd);
    filled_.push_back(filler);
  }

  Options options_;
  std::vector<Listener> listeners_;
  std::vector<int> filled_;  // the full queues' sockets, open until the stand-in ends
  std::vector<PendingStart> pending_;
  std::vector<pid_t> running_;
  std::vector<int> held_;  // connections accepted on the opened port
  bool served_ = false;    // a client has come and gone there
  bool opened_ = false;
  Clock::time_point quiet_since_;  // when all else was done and the port still closed
  long logged_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  Standin standin(ReadOptions(argc, argv));
  standin.Listen();
  Say("ready");
  return standin.Run();
}
