#include "ctl/command_readings.h"

#include <algorithm>
#include <charconv>

#include "text/ascii.h"
#include "text/text_split.h"

namespace quennet {
namespace {

// The lines of the output, without their CR and the blanks at either end.
std::vector<std::string> Lines(std::string_view output) {
  std::vector<std::string> lines = SplitAll(output, '\n');
  for (std::string& line : lines)
    line = std::string(TrimBlanks(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line));
  return lines;
}

std::optional<std::uint64_t> ReadCount(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The text of the first element `name` in `xml`, trimmed; none without one.
std::optional<std::string> ElementText(std::string_view xml, const std::string& name) {
  const std::size_t start = xml.find("<" + name + ">");
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t from = start + name.size() + 2;
  const std::size_t end = xml.find("</" + name + ">", from);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(TrimBlanks(xml.substr(from, end - from)));
}

// A CSV field as auditpol writes it: no commas inside, quotes only around it.
std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields = SplitAll(line, ',');
  for (std::string& field : fields) {
    std::string_view text = TrimBlanks(field);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
      text = text.substr(1, text.size() - 2);
    field = std::string(text);
  }
  return fields;
}

}  // namespace

std::string WithoutNuls(std::string_view output) {
  std::string text;
  std::copy_if(output.begin(), output.end(), std::back_inserter(text),
               [](char c) { return c != '\0'; });
  return text;
}

std::optional<std::string> AuditInclusion(std::string_view csv, std::string_view guid) {
  std::size_t guid_column = 0, setting_column = 0;
  bool header = false;
  for (const std::string& line : Lines(csv)) {
    const std::vector<std::string> fields = CsvFields(line);
    if (!header) {
      const auto guid_at = std::find(fields.begin(), fields.end(), "Subcategory GUID");
      const auto setting_at = std::find(fields.begin(), fields.end(), "Inclusion Setting");
      header = guid_at != fields.end() && setting_at != fields.end();
      guid_column = static_cast<std::size_t>(guid_at - fields.begin());
      setting_column = static_cast<std::size_t>(setting_at - fields.begin());
    } else if (fields.size() > std::max(guid_column, setting_column) &&
               EqualsIgnoringCase(fields[guid_column], guid)) {
      return fields[setting_column];
    }
  }
  return std::nullopt;
}

std::vector<ProfileLogging> ReadProfileLogging(std::string_view output) {
  std::vector<ProfileLogging> profiles;
  for (const std::string& line : Lines(output)) {
    const std::size_t blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string value = blank == std::string::npos
                                  ? ""
                                  : std::string(TrimBlanks(std::string_view(line).substr(blank)));
    if (line.ends_with(':') && key != "FileName" && key != "LogDroppedConnections") {
      profiles.push_back({key.ends_with(':') ? key.substr(0, key.size() - 1) : key, "", ""});
    } else if (!profiles.empty() && key == "LogDroppedConnections") {
      profiles.back().dropped = value;
    } else if (!profiles.empty() && key == "FileName") {
      profiles.back().file = value;
    }
  }
  return profiles;
}

std::string ExpandWindowsFolder(const std::string& path, const std::string& windows_folder) {
  const std::string lower = LowerAscii(path);
  for (const std::string name : {"%systemroot%", "%windir%"}) {
    if (lower.starts_with(name)) return windows_folder + path.substr(name.size());
  }
  return path;
}

std::optional<EventLogConfig> ReadEventLogConfig(std::string_view xml) {
  const std::optional<std::string> size = ElementText(xml, "maxSize");
  const std::optional<std::uint64_t> bytes = size ? ReadCount(*size) : std::nullopt;
  if (!bytes) return std::nullopt;
  return EventLogConfig{*bytes, ElementText(xml, "retention") == "true",
                        ElementText(xml, "autoBackup") == "true"};
}

std::optional<EventLogInfo> ReadEventLogInfo(std::string_view text) {
  std::optional<std::uint64_t> size, records;
  for (const std::string& line : Lines(text)) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string key = line.substr(0, colon);
    const std::optional<std::uint64_t> value =
        ReadCount(TrimBlanks(std::string_view(line).substr(colon + 1)));
    if (key == "fileSize") size = value;
    if (key == "numberOfLogRecords") records = value;
  }
  if (!size || !records) return std::nullopt;
  return EventLogInfo{*size, *records};
}

bool TaskEnabled(std::string_view xml) {
  const std::string text = WithoutNuls(xml);
  const std::optional<std::string> settings = ElementText(text, "Settings");
  return !settings || ElementText(*settings, "Enabled") != "false";
}

std::vector<std::string> TaskArguments(std::string_view xml) {
  const std::optional<std::string> arguments = ElementText(WithoutNuls(xml), "Arguments");
  return arguments ? SplitAll(*arguments, ' ') : std::vector<std::string>{};
}

}  // namespace quennet
