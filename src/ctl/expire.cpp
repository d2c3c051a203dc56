#include <set>

#include "ctl/ctl_arguments.h"
#include "ctl/firewall_rules.h"
#include "ctl/knock_log.h"
#include "ctl/subcommands.h"
#include "shared/windows_version.h"
#include "unlock/allow_rule.h"

namespace quennet {
namespace {

struct Expiry {
  Ctl& ctl;
  CommandRunner& runner;
  std::string rule;
  std::string port;
  int minutes;
  DateTime now;

  bool Expired(const KnockState& state) const { return MinutesAfter(state.opened, minutes) <= now; }
  bool Open(const KnockLog& log, const std::string& address) const {
    const auto found = log.addresses.find(address);
    return found != log.addresses.end() && !found->second.closed && !Expired(found->second);
  }
  std::string KnockAge(const KnockState& state) const {
    return "its knock at " + UtcText(state.opened) + " is " +
           std::to_string(SecondsBetween(state.opened, now) / 60) + " minutes old";
  }
  void ShowOpen(const KnockLog& log) const {
    for (const auto& [address, state] : log.addresses) {
      if (!state.closed && !Expired(state)) {
        ctl.out << address << " stays open until " << UtcText(MinutesAfter(state.opened, minutes))
                << '\n';
      }
    }
  }
};

// Why each address must close: an expired knock not closed since, or a rule of the
// name that no open knock on record accounts for. Empty `everything` unless a rule
// is open to more than one address, which only removing every rule of the name can
// close.
struct Closings {
  std::vector<std::pair<std::string, std::string>> addresses;
  std::string everything;
};

Closings Plan(const Expiry& expiry, const KnockLog& log, const std::vector<std::string>& listed) {
  Closings plan;
  std::set<std::string> planned;
  for (const auto& [address, state] : log.addresses) {
    if (!state.closed && expiry.Expired(state)) {
      plan.addresses.emplace_back(address, expiry.KnockAge(state));
      planned.insert(address);
    }
  }
  for (const std::string& value : listed) {
    const std::string address = SingleAddress(value);
    if (address.empty()) {
      plan.everything = "a rule " + expiry.rule + " lets in " + value + ", not one address";
    } else if (!expiry.Open(log, address) && planned.insert(address).second) {
      plan.addresses.emplace_back(
          address, log.addresses.contains(address)
                       ? "its rule is still there though its knock was closed"
                       : "no verified knock of " + expiry.rule + " from it is in the event log");
    }
  }
  return plan;
}

// The newer firewall: one rule per knock, removed by its address.
int ExpireRules(const Expiry& expiry, const KnockLog& log) {
  const CommandOutput shown =
      expiry.runner.Read("netsh advfirewall firewall show rule name=" + expiry.rule, true);
  const Closings plan = Plan(expiry, log, ListedRemoteAddresses(shown.output));
  if (!plan.everything.empty()) {
    expiry.ctl.out << "closing every rule " << expiry.rule << ": " << plan.everything << '\n';
    CloseRule(expiry.ctl, expiry.runner, expiry.rule, expiry.port);
    return 0;
  }
  int status = 0;
  for (const auto& [address, why] : plan.addresses) {
    expiry.ctl.out << "closing " << address << ": " << why << '\n';
    try {
      CloseAddress(expiry.runner, expiry.rule, expiry.port, address);
    } catch (const CommandFailed& error) {
      expiry.ctl.err << "quennetctl expire: failed: " << error.what() << '\n';
      status = 1;  // the others still close; this one is tried again next time
    }
  }
  if (plan.addresses.empty()) expiry.ctl.out << "nothing to close\n";
  expiry.ShowOpen(log);
  return status;
}

// The older firewall opens TCP PORT by port alone, to the latest knock's address:
// the opening goes once no knock on record is still in its time.
int ExpirePortOpening(const Expiry& expiry, const KnockLog& log) {
  std::vector<std::string> expired;
  bool open = false;
  for (const auto& [address, state] : log.addresses) {
    if (state.closed) continue;
    if (expiry.Expired(state)) expired.push_back(address);
    open = open || !expiry.Expired(state);
  }
  if (expired.empty() || open) {
    expiry.ctl.out << "nothing to close\n";
    expiry.ShowOpen(log);
    return 0;
  }
  expiry.ctl.out << "closing the port opening of TCP " << expiry.port
                 << ": every knock on record is older than " << expiry.minutes << " minutes\n";
  expiry.runner.Run(DeleteRuleCommandLine(expiry.ctl.host.version, expiry.rule, expiry.port));
  for (const std::string& address : expired)
    RecordClosed(expiry.runner, expiry.rule, expiry.port, address);
  return 0;
}

}  // namespace

int Expire(Ctl& ctl, const std::vector<std::string>& arguments) {
  const CtlArguments parsed = ParseCtlArguments(arguments, {}, {"--now"}, 3);
  const std::vector<std::string>& values = parsed.positional;
  CheckRuleName(values[0]);
  CheckPort(values[1]);
  CheckCount("MINUTES", values[2]);
  DateTime now = ctl.host.clock.UtcNow();
  if (const auto given = parsed.values.find("--now"); given != parsed.values.end()) {
    const std::optional<DateTime> time = ReadUtcTime(given->second);
    if (!time)
      throw UsageError("--now: \"" + given->second +
                       "\" is not a UTC time like 2012-07-17T08:17:07Z");
    now = *time;
  }
  CommandRunner runner(ctl.host.shell, ctl.out);
  const KnockLog log = ReadKnockLog(runner, values[0]);
  if (log.ignored > 0) {
    ctl.out << "ignored " << log.ignored
            << " event(s) of Quennet that another account than SYSTEM wrote\n";
  }
  const Expiry expiry{ctl, runner, values[0], values[1], std::stoi(values[2]), now};
  return GetWindowsVersion::IsNewerFirewallHost(ctl.host.version) ? ExpireRules(expiry, log)
                                                                  : ExpirePortOpening(expiry, log);
}

}  // namespace quennet
