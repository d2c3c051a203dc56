#include "ctl/knock_setup.h"

#include "ctl/command_readings.h"

namespace quennet {

KnockSetup ParseKnockSetup(const std::vector<std::string>& arguments, std::set<std::string> flags) {
  flags.insert({"--strict", "--lenient"});
  const CtlArguments parsed = ParseCtlArguments(arguments, flags, {"--close-after"}, 5);
  KnockSetup setup;
  setup.flags = parsed.flags;
  if (parsed.flags.contains("--strict") && parsed.flags.contains("--lenient")) {
    throw UsageError("--strict and --lenient exclude each other");
  }
  setup.strict = !parsed.flags.contains("--lenient");
  if (const auto minutes = parsed.values.find("--close-after"); minutes != parsed.values.end()) {
    CheckCount("--close-after", minutes->second);
    setup.close_after = minutes->second;
  }
  const std::vector<std::string>& values = parsed.positional;
  CheckPortList(values[0]);
  CheckActionList(values[1]);
  CheckRuleName(values[2]);
  CheckCount("SECONDS", values[3]);
  CheckPort(values[4]);
  setup.ports = values[0];
  setup.actions = values[1];
  setup.rule = values[2];
  setup.seconds = values[3];
  setup.port = values[4];
  return setup;
}

std::string KnockTaskName(const std::string& rule) { return "Quennet " + rule; }

std::string CloseTaskName(const std::string& rule) { return "Quennet " + rule + " close"; }

std::string TaskQuery(const std::string& task) { return "schtasks /query /tn \"" + task + "\""; }

std::optional<std::string> ReadTaskXml(CommandRunner& runner, const std::string& task) {
  try {
    const CommandOutput shown = runner.Read(TaskQuery(task) + " /xml ONE");
    if (shown.status == 0) return WithoutNuls(shown.output);
  } catch (const CommandFailed&) {
  }
  return std::nullopt;
}

}  // namespace quennet
