#include "app/form1.h"

#include "app/command_line.h"
#include "fwlog/snapshot.h"
#include "knock/correlation.h"
#include "knock/knock_openings.h"
#include "knock/verification.h"
#include "logging/event_entry.h"
#include "logging/log_files.h"
#include "shared/action_codes.h"
#include "shared/host_environment.h"
#include "unlock/address_literal.h"
#include "unlock/allow_rule.h"

namespace quennet {

Form1::Form1(Host& host, std::string argument_text, bool debug_requested)
    : host_(host), argument_text_(std::move(argument_text)), debug_requested_(debug_requested) {}

void Form1::Form_Load() {
  loaded_ = true;
  Run();
  Timer1.Enabled = true;
}

void Form1::Timer1_Timer() { loaded_ = false; }

void Form1::Run() {
  const DateTime StartTime = host_.clock.Now();
  const std::int64_t started_ms = host_.clock.ElapsedMilliseconds();
  state_.DebugEnabled = debug_requested_ ? kTrue : kFalse;
  state_.AppDataFolder = CommonAppDataFolder(host_);
  DebugLog(host_, state_.DebugEnabled, NowText(host_.clock) + "  -  " + argument_text_);
  const auto [CommandText, strict] = ReadStrictOption(argument_text_);
  state_.StrictKnock = strict;
  state_.WindowsFolder = host_.shell.ExpandEnvironmentStrings("%windir%");
  SetFirewallLogPathVariable(host_, state_);
  CreateAppDirectories(host_, state_);
  ClearSnapshotFolder(host_, state_.AppDataFolder);
  SetFirewallLogPathVariable(host_, state_);

  const auto roles = InterpretCommandLine(CommandText, GeneralDateText(StartTime));
  if (!roles) return;
  if (!roles->ReferenceGiven) state_.SharedSnapshotsSince = started_ms;
  Knock(*roles);
}

void Form1::Knock(KnockRoles roles) {
  if (roles.SourceIP.empty()) {
    state_.FirewallActionText = ReturnFirewallAction(host_.version, LastElement(roles.ActionList));
    roles.SourceIP = Check_Firewall_Log(host_, state_, roles.ReferenceTime, roles.TimePeriod,
                                        LastElement(roles.PortList));
  }
  if (roles.SourceIP.empty()) {
    LogData(host_, "error.log",
            NowText(host_.clock) + " No IP address was returned from correlation");
    return;
  }
  std::string knock_lines;
  const bool KnockVerified =
      Check_Port_Knock(host_, state_, roles.ReferenceTime, roles.TimePeriod, roles.PortList,
                       roles.ActionList, roles.SourceIP, &knock_lines);
  if (!KnockVerified) return;
  // The address goes into a firewall rule: a forged snapshot must not open the port
  // to a list, a range, a keyword, or an address that no knock can come from.
  if (!IsSenderAddress(roles.SourceIP)) {
    LogData(host_, "error.log",
            NowText(host_.clock) + " Error!  Knock source is not an IP address: " + roles.SourceIP);
    return;
  }
  std::string message = "Quennet - Port Knock Authenticated\r\nRule Name=" + roles.RuleName +
                        "\r\nIP=" + roles.SourceIP;
  if (!roles.PortToOpen.empty()) message += "\r\nport=" + roles.PortToOpen;
  const KnockOpening opening{roles.RuleName, roles.SourceIP, roles.PortToOpen, knock_lines,
                             roles.TimePeriod};
  OpenOnce(host_, state_, opening, [&] {
    LogEvent(host_, 100, "INFORMATION", message);
    if (!roles.PortToOpen.empty())
      Unlock_Port(host_, roles.RuleName, roles.PortToOpen, roles.SourceIP);
  });
}

void ShowForm(Form1& form, Clock& clock) {
  form.Form_Load();
  while (form.Loaded() && form.Timer1.Enabled) {
    clock.Sleep(form.Timer1.Interval);
    form.Timer1_Timer();
  }
}

}  // namespace quennet
