#include "ctl/ctl_arguments.h"
#include "ctl/host_setup.h"
#include "ctl/knock_log.h"
#include "ctl/knock_setup.h"
#include "ctl/subcommands.h"
#include "fwlog/newest_stamp.h"
#include "platform/error.h"
#include "shared/windows_version.h"
#include "text/number_text.h"
#include "text/text_split.h"

namespace quennet {
namespace {

constexpr std::size_t kLogTail = 4096;
constexpr std::size_t kLogTailLines = 5;

void ShowFirewallLog(Ctl& ctl) {
  Host& host = ctl.host;
  const std::string path = GetWindowsVersion::FirewallLogPath(host.version, host.files, WindowsFolder(host));
  ctl.out << "Windows reports version " << GetWindowsVersion::VersionText(host.version) << '\n';
  ctl.out << "The firewall log Quennet reads here: " << path << '\n';
  if (!host.files.FileExists(path)) {
    ctl.out << "  missing\n";
    return;
  }
  const NewestStamp newest = ReadNewestStamp(host, path);
  const std::optional<DateTime> stamp = ReadDate(newest.stamp);
  if (!stamp) {
    ctl.out << "  no time stamp in it\n";
    return;
  }
  ctl.out << "  newest line " << newest.stamp << ", " << SecondsBetween(*stamp, host.clock.Now())
          << " seconds old\n";
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

// The MINUTES of the closing task's "expire RULE PORT MINUTES", from its definition
// as schtasks prints it (UTF-16 or not); 0 without such a task.
int ClosingMinutes(CommandRunner& runner, const std::string& rule) {
  const CommandOutput shown = runner.Read(TaskQuery(CloseTaskName(rule)) + " /xml ONE");
  std::string xml;
  for (const char c : shown.output) {
    if (c != '\0') xml += c;
  }
  const std::size_t start = xml.find("<Arguments>");
  const std::size_t end = xml.find("</Arguments>");
  if (shown.status != 0 || start == std::string::npos || end < start) return 0;
  const std::vector<std::string> words = SplitAll(xml.substr(start + 11, end - start - 11), ' ');
  if (words.size() != 4 || words[0] != "expire" || words[1] != rule) return 0;
  return ReadWholeNumber(words[3], 99999).value_or(0);
}

// Each address's latest verified knock, and when its rule closes.
void ShowKnocks(Ctl& ctl, CommandRunner& runner, const std::string& rule) {
  const int minutes = ClosingMinutes(runner, rule);
  KnockLog log;
  try {
    log = ReadKnockLog(runner, rule);
  } catch (const CommandFailed& error) {
    ctl.out << "The knocks on " << rule << ": unknown, " << error.what() << '\n';
    return;
  }
  ctl.out << "The knocks on " << rule << " that SYSTEM recorded" << (log.addresses.empty() ? ": none\n" : ":\n");
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

}  // namespace

int Status(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {}, {}, 1);
  const std::string& rule = parsed.positional[0];
  CheckRuleName(rule);
  CommandRunner runner(ctl.host.shell, ctl.out);
  for (const std::string& task : {KnockTaskName(rule), CloseTaskName(rule)}) runner.Probe(TaskQuery(task));
  runner.Probe(GetWindowsVersion::IsNewerFirewallHost(ctl.host.version) ? "netsh advfirewall firewall show rule name=" + rule
                                                                        : "Netsh firewall show portopening");
  ShowKnocks(ctl, runner, rule);
  ShowFirewallLog(ctl);
  ShowLogTail(ctl, "error.log");
  ShowLogTail(ctl, "velt.log");
  return 0;
}

}  // namespace quennet
