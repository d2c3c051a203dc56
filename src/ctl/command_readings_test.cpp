#include <gtest/gtest.h>

#include <tuple>

#include "ctl/command_readings.h"
#include "ctl/status_checks.h"

namespace quennet {
namespace {

constexpr const char* kGuid = "{0CCE9225-69AE-11D9-BED3-505054503030}";

// auditpol's report: the columns of the advanced audit policy's CSV file, GUIDs in
// either case.
TEST(CommandReadings, AuditInclusionByTheSubcategoryGuid) {
  const std::string header =
      "Machine Name,Policy Target,Subcategory,Subcategory GUID,Inclusion Setting,Exclusion Setting";
  struct Case {
    std::string csv;
    std::optional<std::string> inclusion;
  } cases[] = {
      {"\r\n" + header +
           ",Setting Value\r\nHOST,System,Filtering Platform Connection,"
           "{0CCE9226-69AE-11D9-BED3-505054503030},Success and Failure,,3\r\n"
           "HOST,System,Filtering Platform Packet Drop,{0cce9225-69ae-11d9-bed3-505054503030},"
           "No Auditing,,0\r\n",
       "No Auditing"},
  };
  for (const Case& c : cases) EXPECT_EQ(AuditInclusion(c.csv, kGuid), c.inclusion) << c.csv;
}

// netsh prints each profile's logging under a heading, a key and its value per line.
TEST(CommandReadings, ProfileLoggingAndTheFileNameAsTheFirewallExpandsIt) {
  const std::string rule = std::string(70, '-');
  const std::string shown =
      "\r\nDomain Profile Settings: \r\n" + rule +
      "\r\nLogAllowedConnections                 Disable\r\n"
      "LogDroppedConnections                 Enable\r\n"
      "FileName                              %systemroot%\\system32\\LogFiles\\Firewall\\"
      "pfirewall.log\r\nMaxFileSize                           32767\r\n\r\n"
      "Public Profile Settings: \r\n" +
      rule +
      "\r\nLogDroppedConnections                 Disable\r\n"
      "FileName                              D:\\Firewall Logs\\public.log\r\n\r\nOk.\r\n\r\n";
  const std::vector<ProfileLogging> profiles = ReadProfileLogging(shown);
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(profiles[0].profile + "|" + profiles[0].dropped + "|" + profiles[0].file,
            "Domain|Enable|%systemroot%\\system32\\LogFiles\\Firewall\\pfirewall.log");
  EXPECT_EQ(profiles[1].profile + "|" + profiles[1].dropped + "|" + profiles[1].file,
            "Public|Disable|D:\\Firewall Logs\\public.log");
  EXPECT_TRUE(ReadProfileLogging("The Windows Firewall service is not running.\r\n").empty());
  EXPECT_EQ(ExpandWindowsFolder("%SystemRoot%\\system32\\x.log", "C:\\Windows"),
            "C:\\Windows\\system32\\x.log");
  EXPECT_EQ(ExpandWindowsFolder("%windir%\\x.log", "C:\\Windows"), "C:\\Windows\\x.log");
  EXPECT_EQ(ExpandWindowsFolder("C:\\%windir%.log", "C:\\Windows"), "C:\\%windir%.log");
}

// wevtutil's configuration of a log (the shape of its documented configuration file),
// and a task's XML as
// schtasks prints it in UTF-16.
TEST(CommandReadings, EventLogSizesAndTaskDefinitions) {
  const std::optional<EventLogConfig> config = ReadEventLogConfig(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<channel name=\"Application\" isolation=\"Application\"\r\n"
      "xmlns=\"http://schemas.microsoft.com/win/2004/08/events\">\r\n<logging>\r\n"
      "<retention>true</retention>\r\n<autoBackup>true</autoBackup>\r\n"
      "<maxSize>9000000</maxSize>\r\n</logging>\r\n<publishing>\r\n"
      "</publishing>\r\n</channel>\r\n");
  ASSERT_TRUE(config);
  EXPECT_EQ(config->max_size, 9000000u);
  EXPECT_TRUE(config->retention && config->auto_backup);

  const auto utf16 = [](const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) bytes += std::string{c, '\0'};
    return bytes;
  };
  const std::string task =
      "<Task><Triggers><TimeTrigger><Enabled>false</Enabled></TimeTrigger></Triggers><Settings>"
      "<Enabled>true</Enabled></Settings><Actions><Exec><Arguments>expire KnockRDP 3389 30"
      "</Arguments></Exec></Actions></Task>";
  EXPECT_TRUE(TaskEnabled(utf16(task)));
  EXPECT_EQ(TaskArguments(utf16(task)),
            (std::vector<std::string>{"expire", "KnockRDP", "3389", "30"}));
}

// Full means within the 1 MB the service grows the file by; a full log that keeps its
// old events loses the new ones; one that overwrites must hold a day, and the size
// it is told to take holds two at the rate seen.
TEST(SecurityLog, FailsWhenFullAndHoldingLessThanADayOrKeepingOldEvents) {
  constexpr std::uint64_t kMiB = 1 << 20;
  const DateTime now{1'000'000'000};
  const EventLogConfig overwrites{20 * kMiB, false, false}, keeps{20 * kMiB, true, false};
  // What; the configuration, the file's size and the oldest event's age in hours; whether the
  // check holds and the first mend.
  const std::tuple<const char*, EventLogConfig, std::uint64_t, std::optional<std::int64_t>, bool,
                   std::string>
      cases[] = {
          {"not full", overwrites, 18 * kMiB, 2, true, ""},
          {"full, six hours", overwrites, 20 * kMiB - 4096, 6, false,
           "wevtutil sl Security /ms:167772160"},
          {"full, keeps old events", keeps, 20 * kMiB, 48, false, "wevtutil sl Security /rt:false"},
          {"full, oldest unknown", overwrites, 20 * kMiB, std::nullopt, false, ""},
      };
  for (const auto& [what, config, file_size, oldest_hours, ok, mend] : cases) {
    const std::optional<DateTime> oldest =
        oldest_hours ? std::optional<DateTime>(DateTime{now.seconds - *oldest_hours * 3600})
                     : std::nullopt;
    const LinkCheck check = JudgeSecurityLog(config, {file_size, 5000}, oldest, now);
    EXPECT_EQ(check.ok, ok) << what << ": " << check.text;
    EXPECT_EQ(check.mend.empty() ? "" : check.mend[0], mend) << what;
  }
}

}  // namespace
}  // namespace quennet
