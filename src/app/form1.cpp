#include "app/form1.h"

#include "app/command_line.h"
#include "app/host_environment.h"
#include "app/registry_value.h"

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
  state_.DebugEnabled = debug_requested_ ? kTrue : kFalse;
  state_.AppDataFolder = basRegistry::ValueText(basRegistry::GetRegistryValue(
      host_.registry, kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      "Common AppData", 0));
  const std::string& CommandText = argument_text_;
  DebugLog(host_, state_.DebugEnabled, NowText(host_.clock) + "  -  " + CommandText);
  state_.WindowsFolder = host_.shell.ExpandEnvironmentStrings("%windir%");
  SetFirewallLogPathVariable(host_, state_);
  CreateAppDirectories(host_, state_);
  SetFirewallLogPathVariable(host_, state_);

  const auto roles = InterpretCommandLine(CommandText, GeneralDateText(StartTime));
  if (!roles) return;
}

void ShowForm(Form1& form, Clock& clock) {
  form.Form_Load();
  while (form.Loaded() && form.Timer1.Enabled) {
    clock.Sleep(form.Timer1.Interval);
    form.Timer1_Timer();
  }
}

}  // namespace quennet
