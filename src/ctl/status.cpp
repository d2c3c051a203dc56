#include "ctl/ctl_arguments.h"
#include "ctl/host_setup.h"
#include "ctl/knock_log.h"
#include "ctl/knock_setup.h"
#include "ctl/status_checks.h"
#include "ctl/subcommands.h"
#include "errors/error.h"
#include "shared/windows_version.h"
#include "text/number_text.h"
#include "text/text_split.h"

namespace quennet {
namespace {

constexpr std::size_t kLogTail = 4096;
constexpr std::size_t kLogTailLines = 5;

void ShowFirewallLog(Ctl& ctl) {
  Host& host = ctl.host;
  ctl.out << "Windows reports version " << GetWindowsVersion::VersionText(host.version) << '\n';
  ctl.out << "The firewall log Quennet reads here: "
          << GetWindowsVersion::FirewallLogPath(host.version, host.files, WindowsFolder(host))
          << '\n';
}

// The last `size` bytes of a log file, without reading the bytes before them; empty
// when it is missing or cannot be read.
std::string ReadLogTail(FileService& files, const std::string& path, std::size_t size) {
  try {
    if (!files.FileExists(path)) return "";
    const auto stream = files.OpenTextFile(path);
    const std::uint64_t length = stream->Size();
    const std::uint64_t from = length > size ? length - size : 0;
    return stream->ReadAt(from, static_cast<std::size_t>(length - from));
  } catch (const RuntimeError&) {
    return "";
  }
}

void ShowLogTail(Ctl& ctl, const std::string& name) {
  std::vector<std::string> lines =
      SplitAll(ReadLogTail(ctl.host.files, ctl.host.program_folder + "\\" + name, kLogTail), '\n');
  if (lines.back().empty()) lines.pop_back();  // after the last line end, or an empty log
  const std::size_t first = lines.size() > kLogTailLines ? lines.size() - kLogTailLines : 0;
  ctl.out << name << (lines.empty() ? ": empty or missing\n" : ", last lines:\n");
  for (std::size_t i = first; i < lines.size(); ++i) {
    if (lines[i].ends_with('\r')) lines[i].pop_back();
    ctl.out << "  " << lines[i] << '\n';
  }
}

// The MINUTES of the closing task's "expire RULE PORT MINUTES"; 0 without such a task.
int ClosingMinutes(const std::optional<std::string>& xml, const std::string& rule) {
  const std::vector<std::string> words = xml ? TaskArguments(*xml) : std::vector<std::string>{};
  if (words.size() != 4 || words[0] != "expire" || words[1] != rule) return 0;
  return ReadWholeNumber(words[3], 99999).value_or(0);
}

// Each address's latest verified knock, and when its rule closes.
void ShowKnocks(Ctl& ctl, CommandRunner& runner, const std::string& rule, int minutes) {
  KnockLog log;
  try {
    log = ReadKnockLog(runner, rule);
  } catch (const CommandFailed& error) {
    ctl.out << "The knocks on " << rule << ": unknown, " << error.what() << '\n';
    return;
  }
  ctl.out << "The knocks on " << rule << " that SYSTEM recorded"
          << (log.addresses.empty() ? ": none\n" : ":\n");
  for (const auto& [address, state] : log.addresses) {
    ctl.out << "  " << address << ": opened " << UtcText(state.opened) << ", ";
    if (state.closed) {
      ctl.out << "closed since\n";
    } else if (minutes > 0) {
      ctl.out << "closes " << UtcText(MinutesAfter(state.opened, minutes)) << '\n';
    } else {
      ctl.out << "stays open until \"quennetctl close\" (no closing task)\n";
    }
  }
}

// Each link a knock needs, each on a line; true when every one holds.
bool ShowChecks(Ctl& ctl, const std::vector<LinkCheck>& checks) {
  std::size_t failed = 0;
  ctl.out << "Checks:\n";
  for (const LinkCheck& check : checks) {
    ctl.out << (check.ok ? "ok   " : "FAIL ") << check.name << ": " << check.text << '\n';
    for (const std::string& command : check.mend) ctl.out << "     mend: " << command << '\n';
    if (!check.note.empty()) ctl.out << "     " << check.note << '\n';
    failed += check.ok ? 0 : 1;
  }
  if (failed == 0) {
    ctl.out << "all " << checks.size() << " checks hold\n";
  } else {
    ctl.out << failed << " of " << checks.size() << " checks fail\n";
  }
  return failed == 0;
}

}  // namespace

int Status(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {}, {}, 1);
  const std::string& rule = parsed.positional[0];
  CheckRuleName(rule);
  Host& host = ctl.host;
  CommandRunner runner(host.shell, ctl.out);
  const bool newer = GetWindowsVersion::IsNewerFirewallHost(host.version);
  runner.Probe(newer ? "netsh advfirewall firewall show rule name=" + rule
                     : "Netsh firewall show portopening");
  const std::optional<std::string> knock_task = ReadTaskXml(runner, KnockTaskName(rule));
  const std::optional<std::string> close_task = ReadTaskXml(runner, CloseTaskName(rule));
  std::vector<LinkCheck> checks;
  if (newer) {
    checks.push_back(AuditCheck(runner));
    for (LinkCheck& check : FirewallLoggingChecks(host, runner)) checks.push_back(std::move(check));
    checks.push_back(FirewallLogAgeCheck(host));
    checks.push_back(SecurityLogCheck(runner, host.clock.UtcNow()));
  } else {
    checks.push_back({false,
                      "Windows",
                      "this Windows has the older firewall, which records no event 5152: the knock "
                      "task needs Vista or later",
                      {},
                      ""});
  }
  checks.push_back(TaskCheck(rule, KnockTaskName(rule), knock_task, true));
  checks.push_back(TaskCheck(rule, CloseTaskName(rule), close_task, false));
  checks.push_back(ProgramFolderCheck(host));
  checks.push_back(DataFolderCheck(host, rule));
  ShowKnocks(ctl, runner, rule, ClosingMinutes(close_task, rule));
  ShowFirewallLog(ctl);
  ShowLogTail(ctl, "error.log");
  ShowLogTail(ctl, "velt.log");
  return ShowChecks(ctl, checks) ? 0 : 1;
}

}  // namespace quennet
