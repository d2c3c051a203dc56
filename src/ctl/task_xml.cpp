#include "ctl/task_xml.h"

#include <algorithm>

#include "shared/action_codes.h"
#include "text/text_split.h"

namespace quennet {
namespace {

constexpr const char* kTaskStart = R"(<?xml version="1.0" encoding="UTF-16"?>
<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">
)";

// SYSTEM, with the highest rights it has.
constexpr const char* kPrincipals = R"(  <Principals>
    <Principal id="Author">
      <UserId>S-1-5-18</UserId>
      <RunLevel>HighestAvailable</RunLevel>
    </Principal>
  </Principals>
)";

// A laptop on battery still answers; a run that hangs is stopped long after any run
// would have ended. Knocks may come while a run waits, so knock runs overlap; a
// closing run that finds the last one still at work has nothing to add.
std::string Settings(const char* instances) {
  return std::string("  <Settings>\n    <MultipleInstancesPolicy>") + instances +
         "</MultipleInstancesPolicy>\n"
         "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
         "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
         "    <ExecutionTimeLimit>PT5M</ExecutionTimeLimit>\n"
         "    <Enabled>true</Enabled>\n  </Settings>\n";
}

// Only SYSTEM and Administrators may read or change the task: its arguments hold the
// knock. Protected, so that nothing inherited from the task folder adds readers.
constexpr const char* kTaskAccess = "D:P(A;;FA;;;SY)(A;;FA;;;BA)";

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// The protocol number that event 5152 records for the last action code.
std::string ProtocolNumber(const std::string& actions) {
  const std::string_view protocol = ActionProtocol(SplitAll(actions, ',').back());
  return protocol == "TCP" ? "6" : protocol == "UDP" ? "17" : "1";
}

std::string Subscription(const std::string& log, const std::string& select) {
  return "<QueryList><Query Id=\"0\" Path=\"" + log + "\"><Select Path=\"" + log + "\">" + select +
         "</Select></Query></QueryList>";
}

// An event trigger of `log` on the events `select` picks, with `inner` (whole lines)
// after its subscription.
std::string Trigger(const std::string& log, const std::string& select, const std::string& inner) {
  return "  <Triggers>\n    <EventTrigger>\n      <Enabled>true</Enabled>\n      <Subscription>" +
         Escaped(Subscription(log, select)) + "</Subscription>\n" + inner +
         "    </EventTrigger>\n  </Triggers>\n";
}

std::string Registration(const std::string& description) {
  return std::string("  <RegistrationInfo>\n    <SecurityDescriptor>") + kTaskAccess +
         "</SecurityDescriptor>\n    <Description>" + Escaped(description) +
         "</Description>\n  </RegistrationInfo>\n";
}

std::string Exec(const std::string& program, const std::string& arguments) {
  return "  <Actions Context=\"Author\">\n    <Exec>\n      <Command>" +
         Escaped("\"" + program + "\"") + "</Command>\n      <Arguments>" + Escaped(arguments) +
         "</Arguments>\n    </Exec>\n  </Actions>\n</Task>\n";
}

}  // namespace

std::string KnockTaskXml(const KnockSetup& setup, const std::string& program_folder) {
  const std::string last_port = SplitAll(setup.ports, ',').back();
  const std::string select =
      "*[System[EventID=5152]] and *[EventData[Data[@Name='Direction']='%%14592' and "
      "Data[@Name='Protocol']='" +
      ProtocolNumber(setup.actions) + "' and Data[@Name='DestPort']='" + last_port + "']]";
  const std::string trigger =
      Trigger("Security", select,
              "      <ValueQueries>\n        <Value name=\"SourceAddress\">" +
                  Escaped("Event/EventData/Data[@Name='SourceAddress']") +
                  "</Value>\n      </ValueQueries>\n");
  const std::string arguments = std::string(setup.strict ? "--strict " : "") + setup.ports + " " +
                                setup.actions + " " + setup.rule + " " + setup.seconds +
                                " $(SourceAddress) " + setup.port;
  return kTaskStart +
         Registration("Quennet: checks a knock on " + setup.ports + " and opens TCP port " +
                      setup.port + " to its sender under the firewall rule " + setup.rule + ".") +
         trigger + kPrincipals + Settings("Parallel") +
         Exec(program_folder + "\\quennet.exe", arguments);
}

std::string CloseTaskXml(const KnockSetup& setup, const std::string& program_folder) {
  // Every minute from a start long past, without end, and at start-up: a run that a
  // restart or a full queue of instances missed is made up by the next one.
  constexpr const char* kTriggers = R"(  <Triggers>
    <TimeTrigger>
      <Enabled>true</Enabled>
      <StartBoundary>2000-01-01T00:00:00</StartBoundary>
      <Repetition>
        <Interval>PT1M</Interval>
      </Repetition>
    </TimeTrigger>
    <BootTrigger>
      <Enabled>true</Enabled>
    </BootTrigger>
  </Triggers>
)";
  return kTaskStart +
         Registration("Quennet: closes the firewall rule " + setup.rule + " of each address " +
                      setup.close_after + " minutes after that address's latest verified knock.") +
         kTriggers + kPrincipals + Settings("IgnoreNew") +
         Exec(program_folder + "\\quennetctl.exe",
              "expire " + setup.rule + " " + setup.port + " " + setup.close_after);
}

std::string XmlDocument(const std::string& text) {
  if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; })) {
    throw UsageError(
        "the task XML would hold characters other than ASCII: move the program to a folder named "
        "in ASCII");
  }
  std::string bytes = "\xFF\xFE";
  for (const char c : text) {
    if (c == '\n') bytes += std::string("\r\0", 2);
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

}  // namespace quennet
