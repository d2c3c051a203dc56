#pragma once
// Test support: a fake host whose firewall log and snapshot live in memory.

#include <string>
#include <vector>

#include "platform/fake/fake_host.h"
#include "shared/form_state.h"

namespace quennet::test {

inline constexpr const char* kLive = "C:\\Windows\\system32\\LogFiles\\Firewall\\pfirewall.log";
inline constexpr const char* kSnapshot = "C:\\ProgramData\\Tolvaren\\Quennet\\kfirewall.log";
inline constexpr const char* kReference = "7/17/2012 10:17:30 AM";
inline constexpr const char* kKnocker = "203.0.113.45";

// One firewall record; `port` stands in the destination-port field.
inline std::string Entry(const std::string& time, const std::string& port,
                         const std::string& source = kKnocker,
                         const std::string& action = "DROP TCP") {
  return "2012-07-17 " + time + " " + action + " " + source + " 192.0.2.20 51234 " + port +
         " 52 S 1234567 0 8192 - - - RECEIVE";
}

struct KnockHost : FakeHost {
  FormState form;

  KnockHost() {
    form.AppDataFolder = "C:\\ProgramData";
    form.FirewallLogPath = kLive;
    form.FirewallActionText = "DROP TCP";
    clock.now = FromCivil({2012, 7, 17, 10, 17, 31});
  }

  // The live log: the header, the entries, then an entry at the reference time so
  // that the log has caught up.
  void Log(const std::vector<std::string>& entries) {
    std::string text =
        "#Version: 1.5\r\n#Fields: date time action protocol src-ip dst-ip src-port "
        "dst-port\r\n\r\n";
    for (const std::string& entry : entries) text += entry + "\r\n";
    text += "2012-07-17 10:17:30 ALLOW UDP 192.0.2.20 192.0.2.53 61234 53 0 - - - - - - - SEND\r\n";
    files.files[kLive] = text;
  }

  std::vector<std::string> Lines(const std::string& name) const {
    return files.Lines("C:\\Quennet\\" + name);
  }
};

}  // namespace quennet::test
