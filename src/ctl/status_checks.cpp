#include "ctl/status_checks.h"

#include <cmath>

#include "ctl/host_setup.h"
#include "ctl/knock_setup.h"
#include "ctl/private_folders.h"
#include "ctl/quennet_events.h"
#include "errors/error.h"
#include "fwlog/newest_stamp.h"
#include "shared/host_environment.h"
#include "shared/windows_version.h"
#include "text/ascii.h"

namespace quennet {
namespace {

constexpr std::uint64_t kMiB = 1 << 20;

LinkCheck Ok(const std::string& name, const std::string& text) {
  return {true, name, text, {}, ""};
}

LinkCheck Fail(const std::string& name, const std::string& text, std::vector<std::string> mend = {},
               const std::string& note = "") {
  return {false, name, text, std::move(mend), note};
}

// A command's output when it ended with status 0; otherwise why not, in `failure`.
struct Reading {
  std::optional<std::string> output;
  std::string failure;
};

Reading ReadOutput(CommandRunner& runner, const std::string& command) {
  try {
    const CommandOutput shown = runner.Read(command);
    if (shown.status == 0) return {WithoutNuls(shown.output), ""};
    return {std::nullopt, "exit status " + std::to_string(shown.status) + " from " + command +
                              "; status needs an elevated prompt"};
  } catch (const CommandFailed& error) {
    return {std::nullopt, error.what()};
  }
}

std::string Hours(std::int64_t seconds) {
  return std::to_string(seconds / 3600) + "." + std::to_string(seconds % 3600 / 360) + " hours";
}

std::string Megabytes(std::uint64_t bytes) {
  return std::to_string((bytes + kMiB / 2) / kMiB) + " MB";
}

// The install line that registers the tasks of `rule` again.
std::string InstallLine(const std::string& rule) {
  return "quennetctl install [--close-after MINUTES] PORTS ACTIONS " + rule +
         " SECONDS PORT (as installed first)";
}

std::vector<std::string> LoggingMends(Host& host) {
  return {FirewallLogFileCommand(host), FirewallLoggingCommand("droppedconnections enable")};
}

}  // namespace

LinkCheck AuditCheck(CommandRunner& runner) {
  const std::string name = "audit of dropped packets";
  const Reading read = ReadOutput(runner, PacketDropAuditQuery());
  if (!read.output) return Fail(name, read.failure);
  const std::optional<std::string> inclusion = AuditInclusion(*read.output, kPacketDropGuid);
  if (!inclusion)
    return Fail(name, "auditpol printed no setting for Filtering Platform Packet Drop");
  if (inclusion->find("Failure") != std::string::npos) {
    return Ok(name, "\"" + *inclusion +
                        "\": each dropped packet writes event 5152, which starts the knock task");
  }
  return Fail(
      name,
      "\"" + *inclusion + "\": no dropped packet writes event 5152, so no knock starts the task",
      {PacketDropAuditCommand("/failure:enable")},
      "A Group Policy's advanced audit policy (Object Access, Audit Filtering Platform Packet "
      "Drop) "
      "overrides the local setting at each refresh: if the audit turns off again, set Failure "
      "there.");
}

std::vector<LinkCheck> FirewallLoggingChecks(Host& host, CommandRunner& runner) {
  const std::string dropped_name = "dropped-packet logging", file_name = "firewall log file";
  const Reading read = ReadOutput(runner, "netsh advfirewall show allprofiles logging");
  const std::vector<ProfileLogging> profiles =
      read.output ? ReadProfileLogging(*read.output) : std::vector<ProfileLogging>{};
  if (profiles.empty()) {
    const std::string why = read.output ? "netsh printed no profile's logging" : read.failure;
    return {Fail(dropped_name, why), Fail(file_name, why)};
  }
  const std::string windows = WindowsFolder(host);
  const std::string path = GetWindowsVersion::FirewallLogPath(host.version, host.files, windows);
  std::string not_dropping, elsewhere, names;
  for (const ProfileLogging& profile : profiles) {
    names += (names.empty() ? "" : ", ") + profile.profile;
    if (!EqualsIgnoringCase(profile.dropped, "Enable")) {
      not_dropping += (not_dropping.empty() ? "the " : ", the ") + profile.profile + " profile (" +
                      profile.dropped + ")";
    }
    if (!SamePath(ExpandWindowsFolder(profile.file, windows), path)) {
      elsewhere +=
          (elsewhere.empty() ? "the " : ", the ") + profile.profile + " profile to " + profile.file;
    }
  }
  return {
      not_dropping.empty()
          ? Ok(dropped_name, "every profile (" + names + ") logs dropped packets")
          : Fail(dropped_name,
                 not_dropping + " logs no dropped packet: a knock on that network leaves no line",
                 {FirewallLoggingCommand("droppedconnections enable")}),
      elsewhere.empty() ? Ok(file_name, "every profile logs to " + path + ", which Quennet reads")
                        : Fail(file_name, elsewhere + ", but Quennet reads " + path,
                               {FirewallLogFileCommand(host)}),
  };
}

LinkCheck FirewallLogAgeCheck(Host& host) {
  const std::string name = "firewall log's newest line";
  const std::string path =
      GetWindowsVersion::FirewallLogPath(host.version, host.files, WindowsFolder(host));
  const std::string note = "The firewall service must be able to write the log's folder.";
  if (!host.files.FileExists(path))
    return Fail(name, path + " is missing", LoggingMends(host), note);
  const NewestStamp newest = ReadNewestStamp(host, path);
  const std::optional<DateTime> stamp = ReadDate(newest.stamp);
  if (!stamp) return Fail(name, "no time stamp in " + path, LoggingMends(host), note);
  const std::int64_t age = SecondsBetween(*stamp, host.clock.Now());
  if (age > std::int64_t{kStaleLogHours} * 3600) {
    return Fail(name,
                newest.stamp + ", " + Hours(age) +
                    " old: the firewall stopped writing the log, or writes another",
                LoggingMends(host), note);
  }
  return Ok(name, newest.stamp + ", " + std::to_string(age) + " seconds old");
}

LinkCheck TaskCheck(const std::string& rule, const std::string& task,
                    const std::optional<std::string>& xml, bool required) {
  const std::string name = required ? "knock task" : "closing task";
  if (!xml && required) {
    return Fail(name, "\"" + task + "\" is not registered: nothing starts Quennet on a knock",
                {InstallLine(rule)});
  }
  if (!xml) return Ok(name, "none: the rules stay open until \"quennetctl close\"");
  if (!TaskEnabled(*xml))
    return Fail(name, "\"" + task + "\" is disabled",
                {"schtasks /change /tn \"" + task + "\" /enable"});
  return Ok(name, "\"" + task + "\" is registered and enabled");
}

LinkCheck ProgramFolderCheck(Host& host) {
  const std::string name = "program folder", folder = host.program_folder;
  try {
    const FolderFacts facts = host.folders.Inspect(folder);
    if (!facts.exists || Untrusted(facts)) {
      return Fail(name,
                  folder + ": " + Why(facts) +
                      "; whoever can change it decides what the task runs as SYSTEM",
                  PrivateFolderCommands(folder));
    }
    if (facts.others_may_read) {
      return Fail(
          name,
          folder + ": others may read it, and its log files name the knock ports and addresses",
          PrivateFolderCommands(folder));
    }
  } catch (const RuntimeError& error) {
    return Fail(name, folder + ": " + error.Detail());
  }
  return Ok(name, folder + ": only SYSTEM and Administrators may read or change it");
}

LinkCheck DataFolderCheck(Host& host, const std::string& rule) {
  const std::string name = "Quennet's folder", data = CommonAppDataFolder(host);
  if (data.empty())
    return Fail(name, "the registry names no shared application-data folder (Common AppData)");
  const std::string quennet = data + "\\Tolvaren\\Quennet";
  try {
    for (const std::string& folder : {data + "\\Tolvaren", quennet}) {
      const FolderFacts facts = host.folders.Inspect(folder);
      if (Untrusted(facts)) {
        return Fail(name,
                    folder + ": " + Why(facts) + ", so Quennet refuses it or resets its access",
                    {InstallLine(rule)}, "install takes it over, or makes it afresh.");
      }
    }
  } catch (const RuntimeError& error) {
    return Fail(name, quennet + ": " + error.Detail());
  }
  return Ok(
      name,
      quennet + ": only SYSTEM and Administrators may change it (Quennet makes it when missing)");
}

LinkCheck SecurityLogCheck(CommandRunner& runner, DateTime utc_now) {
  const Reading config = ReadOutput(runner, "wevtutil gl Security /f:xml");
  const Reading info = ReadOutput(runner, "wevtutil gli Security");
  const std::optional<EventLogConfig> size =
      config.output ? ReadEventLogConfig(*config.output) : std::nullopt;
  const std::optional<EventLogInfo> held =
      info.output ? ReadEventLogInfo(*info.output) : std::nullopt;
  if (!size || !held) {
    return Fail("Security log", !config.output ? config.failure
                                : !info.output ? info.failure
                                               : "wevtutil printed no size of the Security log");
  }
  // Events come oldest first unless asked otherwise.
  const Reading oldest = ReadOutput(runner, "wevtutil qe Security /c:1 /f:xml");
  const std::vector<LoggedEvent> events =
      oldest.output ? ReadEvents(*oldest.output) : std::vector<LoggedEvent>{};
  return JudgeSecurityLog(*size, *held,
                          events.empty() ? std::nullopt : std::optional<DateTime>(events[0].time),
                          utc_now);
}

LinkCheck JudgeSecurityLog(const EventLogConfig& config, const EventLogInfo& info,
                           std::optional<DateTime> oldest, DateTime utc_now) {
  const std::string name = "Security log";
  // The service grows the file in steps of 1 MB, so one within 1 MB of its most is full.
  const bool full = info.file_size + kMiB >= config.max_size;
  const std::int64_t span =
      oldest ? std::max<std::int64_t>(SecondsBetween(*oldest, utc_now), 60) : 0;
  const std::string held = std::to_string(info.records) + " events in " +
                           Megabytes(info.file_size) + " of " + Megabytes(config.max_size) +
                           (oldest ? ", the oldest " + Hours(span) + " old" : "");
  if (config.auto_backup) return Ok(name, held + "; archived when full");
  if (full && config.retention) {
    return Fail(name,
                held +
                    "; full, and set to keep its old events: new ones, the knocks' 5152 among "
                    "them, are lost",
                {"wevtutil sl Security /rt:false"});
  }
  if (full && oldest && span < std::int64_t{kSecurityLogHours} * 3600) {
    // Room for twice the hours at this rate, so that a busier day still keeps one;
    // in whole MB, as Event Viewer sets it.
    const double wanted = static_cast<double>(config.max_size) * 2 * kSecurityLogHours * 3600 /
                          static_cast<double>(span);
    const std::uint64_t bytes = static_cast<std::uint64_t>(std::ceil(wanted / kMiB)) * kMiB;
    return Fail(name,
                held + "; full, so it holds less than " + std::to_string(kSecurityLogHours) +
                    " hours: event 5152, of high volume, pushes the other events out",
                {"wevtutil sl Security /ms:" + std::to_string(bytes)});
  }
  if (full && !oldest && info.records > 0)
    return Fail(name, held + "; full, and its oldest event cannot be read");
  return Ok(name, held + (full ? "" : "; not full yet"));
}

}  // namespace quennet
