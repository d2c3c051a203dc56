#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quennet {

// What status reads from the output of the commands it starts. Each reading takes the
// bytes as they came and gives nothing (or an empty list) for output it cannot read.

// The output without its NUL bytes: schtasks may print its XML in UTF-16, and every
// text read here is ASCII.
std::string WithoutNuls(std::string_view output);

// "auditpol /get /subcategory:{GUID} /r": the "Inclusion Setting" of the row whose
// "Subcategory GUID" is `guid` ("Failure", "Success and Failure", "No Auditing").
std::optional<std::string> AuditInclusion(std::string_view csv, std::string_view guid);

// One profile of "netsh advfirewall show allprofiles logging": its name as printed
// ("Domain"), and the values of LogDroppedConnections and FileName.
struct ProfileLogging {
  std::string profile;
  std::string dropped;
  std::string file;
};
std::vector<ProfileLogging> ReadProfileLogging(std::string_view output);

// `path` with a leading %systemroot% or %windir% (in any case) replaced by
// `windows_folder`, as the firewall expands its FileName.
std::string ExpandWindowsFolder(const std::string& path, const std::string& windows_folder);

// "wevtutil gl LOG /f:xml": the channel's logging configuration.
struct EventLogConfig {
  std::uint64_t max_size = 0;  // bytes
  bool retention = false;      // when full, keep the old events (and lose the new)
  bool auto_backup = false;    // when full, archive the file and start a new one
};
std::optional<EventLogConfig> ReadEventLogConfig(std::string_view xml);

// "wevtutil gli LOG": the size of the log's file and the events it holds.
struct EventLogInfo {
  std::uint64_t file_size = 0;
  std::uint64_t records = 0;
};
std::optional<EventLogInfo> ReadEventLogInfo(std::string_view text);

// A task's XML as "schtasks /query /xml ONE" prints it (UTF-16 or not): whether its
// Settings enable it (they do unless <Enabled> says false), and the words of its
// action's <Arguments>.
bool TaskEnabled(std::string_view xml);
std::vector<std::string> TaskArguments(std::string_view xml);

}  // namespace quennet
