#include "ctl/quennet_events.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "text/ascii.h"
#include "text/number_text.h"
#include "text/text_split.h"

namespace quennet {
namespace {

// The text of an element or attribute with its entities decoded.
std::string Decoded(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string decoded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      decoded += text[i];
      continue;
    }
    const std::size_t end = text.find(';', i);
    if (end == std::string_view::npos) return decoded + std::string(text.substr(i));
    const std::string_view entity = text.substr(i, end - i + 1);
    char value = 0;
    for (const auto& [name, c] : kNamed) {
      if (entity == name) value = c;
    }
    if (value == 0 && entity.size() > 3 && entity[1] == '#') {
      const bool hex = entity[2] == 'x';
      const unsigned long code =
          std::strtoul(std::string(entity.substr(hex ? 3 : 2)).c_str(), nullptr, hex ? 16 : 10);
      if (code > 0 && code < 0x80) value = static_cast<char>(code);
    }
    if (value == 0) {
      decoded += text[i];  // not an entity this reader knows: kept as it stands
      continue;
    }
    decoded += value;
    i = end;
  }
  return decoded;
}

// The start tag `<name ...>` or `<name .../>` in `xml`, without its brackets; empty
// when there is none. `name` must end there (a blank, '>' or '/').
std::string_view StartTag(std::string_view xml, std::string_view name) {
  for (std::size_t at = xml.find(std::string("<") + std::string(name));
       at != std::string_view::npos; at = xml.find(std::string("<") + std::string(name), at + 1)) {
    const std::size_t after = at + 1 + name.size();
    if (after < xml.size() && (xml[after] == '>' || xml[after] == '/' || IsBlank(xml[after]) ||
                               xml[after] == '\r' || xml[after] == '\n')) {
      const std::size_t end = xml.find('>', after);
      if (end == std::string_view::npos) return {};
      return xml.substr(at + 1, end - at - 1);
    }
  }
  return {};
}

std::string Attribute(std::string_view tag, std::string_view name) {
  for (std::size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
    const std::size_t quote = at + name.size() + 1;
    if (at == 0 || !(IsBlank(tag[at - 1]) || tag[at - 1] == '\r' || tag[at - 1] == '\n')) continue;
    if (quote >= tag.size() || tag[quote - 1] != '=' || (tag[quote] != '"' && tag[quote] != '\''))
      continue;
    const std::size_t end = tag.find(tag[quote], quote + 1);
    if (end == std::string_view::npos) return {};
    return Decoded(tag.substr(quote + 1, end - quote - 1));
  }
  return {};
}

// The text inside the first element `name`; empty for none or an empty one.
std::string ElementText(std::string_view xml, std::string_view name) {
  const std::string_view tag = StartTag(xml, name);
  if (tag.empty() || tag.ends_with('/')) return {};
  const std::size_t start = static_cast<std::size_t>(tag.data() + tag.size() + 1 - xml.data());
  const std::size_t end = xml.find("</" + std::string(name), start);
  if (end == std::string_view::npos) return {};
  return Decoded(xml.substr(start, end - start));
}

std::optional<int> Number(std::string_view text, int max) {
  return ReadWholeNumber(TrimBlanks(text), max);
}

LoggedEvent ReadEvent(std::string_view xml, bool& readable) {
  LoggedEvent event;
  const std::optional<int> id = Number(ElementText(xml, "EventID"), 65535);
  const std::optional<DateTime> time =
      ReadUtcTime(Attribute(StartTag(xml, "TimeCreated"), "SystemTime"));
  readable = id && time;
  if (!readable) return event;
  event.id = *id;
  event.time = *time;
  event.record = std::strtoull(ElementText(xml, "EventRecordID").c_str(), nullptr, 10);
  event.provider = Attribute(StartTag(xml, "Provider"), "Name");
  event.user = Attribute(StartTag(xml, "Security"), "UserID");
  std::string description = ElementText(xml, "Data");
  for (char& c : description) {
    if (c == '\r') c = '\n';
  }
  for (const std::string& line : SplitAll(description, '\n')) {
    if (line.starts_with("Rule Name=")) event.rule = line.substr(10);
    if (line.starts_with("IP=")) event.address = line.substr(3);
    if (line.starts_with("port=")) event.port = line.substr(5);
  }
  return event;
}

}  // namespace

std::string EventQueryCommand(int count) {
  return std::string(
             "wevtutil qe Application /q:\"*[System[Provider[@Name='Quennet'] and (EventID=100 or "
             "EventID=101) "
             "and Security[@UserID='") +
         kSystemSid + "']]]\" /rd:true /c:" + std::to_string(count) + " /f:xml";
}

std::vector<LoggedEvent> ReadEvents(std::string_view xml) {
  std::vector<LoggedEvent> events;
  std::size_t at = 0;
  while ((at = xml.find("<Event", at)) != std::string_view::npos) {
    std::size_t end = xml.find("</Event>", at);
    if (end == std::string_view::npos) end = xml.size();
    const std::string_view element = xml.substr(at, end - at);
    at = end;
    if (element.size() < 7 || !(element[6] == '>' || IsBlank(element[6])))
      continue;  // <EventData>, <EventID>
    bool readable = false;
    LoggedEvent event = ReadEvent(element, readable);
    if (readable) events.push_back(std::move(event));
  }
  return events;
}

std::optional<DateTime> ReadUtcTime(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SS, then a fraction and the Z of UTC.
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || !text.ends_with('Z')) {
    return std::nullopt;
  }
  const std::string_view fraction = text.substr(19, text.size() - 20);
  if (!fraction.empty() && (fraction[0] != '.' || fraction.size() == 1 ||
                            !std::all_of(fraction.begin() + 1, fraction.end(), IsDigit))) {
    return std::nullopt;
  }
  const auto part = [&](std::size_t from, std::size_t size, int max) -> std::optional<int> {
    const std::string_view digits = text.substr(from, size);
    if (!std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
    const int value = std::stoi(std::string(digits));
    return value <= max ? std::optional<int>(value) : std::nullopt;
  };
  const auto year = part(0, 4, 9999), month = part(5, 2, 12), day = part(8, 2, 31),
             hour = part(11, 2, 23), minute = part(14, 2, 59), second = part(17, 2, 59);
  if (!year || !month || !day || !hour || !minute || !second || *month == 0 || *day == 0)
    return std::nullopt;
  const DateTime time = FromCivil({*year, *month, *day, *hour, *minute, *second});
  const CivilTime back = ToCivil(time);
  if (back.month != *month || back.day != *day) return std::nullopt;  // 2012-02-30
  return time;
}

std::string UtcText(DateTime time) {
  const CivilTime civil = ToCivil(time);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", civil.year, civil.month,
                civil.day, civil.hour, civil.minute, civil.second);
  return text;
}

}  // namespace quennet
