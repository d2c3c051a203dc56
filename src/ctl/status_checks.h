#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ctl/command_readings.h"
#include "ctl/subcommands.h"
#include "text/date_text.h"

namespace quennet {

// One link that a knock needs, as status reports it: "ok NAME: TEXT", or what is
// wrong with the commands that mend it and a note.
struct LinkCheck {
  bool ok = true;
  std::string name;
  std::string text;
  std::vector<std::string> mend;
  std::string note;
};

// The Security log must hold at least this many hours of events: 5152 for every
// dropped packet can push everything else out of it within hours.
inline constexpr int kSecurityLogHours = 24;
// A firewall log whose newest line is older than this is not being written.
inline constexpr int kStaleLogHours = 24;

// Each check, with the commands it reads started through `runner`.
LinkCheck AuditCheck(CommandRunner& runner);
std::vector<LinkCheck> FirewallLoggingChecks(Host& host, CommandRunner& runner);
LinkCheck FirewallLogAgeCheck(Host& host);
LinkCheck TaskCheck(const std::string& rule, const std::string& task,
                    const std::optional<std::string>& xml, bool required);
LinkCheck ProgramFolderCheck(Host& host);
LinkCheck DataFolderCheck(Host& host, const std::string& rule);
LinkCheck SecurityLogCheck(CommandRunner& runner, DateTime utc_now);

// The verdict on the Security log from what wevtutil printed: `oldest` is the time
// (UTC) of its oldest event, none when it holds none or it cannot be read.
LinkCheck JudgeSecurityLog(const EventLogConfig& config, const EventLogInfo& info,
                           std::optional<DateTime> oldest, DateTime utc_now);

}  // namespace quennet
