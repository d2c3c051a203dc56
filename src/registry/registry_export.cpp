#include "registry/registry_export.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "reading/line_reader.h"
#include "text/ascii.h"

namespace quennet {
namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kMachineRoot = "HKEY_LOCAL_MACHINE";
// The older, 8-bit export format: its string data in hex is 8-bit already.
constexpr std::string_view kNarrowHeader = "REGEDIT4";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// UTF-16LE to 8-bit text: a code point below 256 as that byte, any other as '?'.
std::string NarrowUtf16(std::string_view bytes) {
  const auto unit_at = [bytes](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  };
  std::string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = unit_at(i);
    const bool surrogate_pair = unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size() &&
                                unit_at(i + 2) >= 0xDC00 && unit_at(i + 2) < 0xE000;
    if (surrogate_pair) i += 2;
    text.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
  }
  return text;
}

std::string ExportText(const std::string& bytes) {
  const std::string_view all(bytes);
  if (StartsWith(all, kUtf16Bom)) return NarrowUtf16(all.substr(kUtf16Bom.size()));
  if (StartsWith(all, kUtf8Bom)) return std::string(all.substr(kUtf8Bom.size()));
  return bytes;
}

std::optional<std::uint32_t> ReadHex(std::string_view digits, std::size_t max_digits) {
  std::uint32_t value = 0;
  if (digits.empty() || digits.size() > max_digits) return std::nullopt;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// "25,00,53" as bytes; an empty list is no bytes.
std::optional<std::string> ReadHexBytes(std::string_view list) {
  std::string bytes;
  if (TrimBlanks(list).empty()) return bytes;
  for (;;) {
    const std::size_t comma = list.find(',');
    const auto byte = ReadHex(TrimBlanks(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<char>(*byte));
    if (comma == std::string_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

// A quoted text at the start of `text`, with its \\ and \" escapes undone; `text` is
// left after the closing quote. Nothing when the quote does not close.
std::optional<std::string> ReadQuoted(std::string_view& text) {
  if (!StartsWith(text, "\"")) return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      text.remove_prefix(i + 1);
      return out;
    }
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) ++i;
    out.push_back(text[i]);
  }
  return std::nullopt;
}

using Value = MemoryRegistry::Value;

std::optional<Value> ReadString(std::string_view data) {
  auto text = ReadQuoted(data);
  if (!text || !TrimBlanks(data).empty()) return std::nullopt;
  // Handed out with its NUL, as the registry gives string data.
  return Value{kRegSz, *text + '\0'};
}

std::optional<Value> ReadDword(std::string_view digits) {
  const auto number = ReadHex(TrimBlanks(digits), 8);
  if (!number) return std::nullopt;
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8)
    bytes.push_back(static_cast<char>(*number >> shift & 0xFF));
  return Value{kRegDword, bytes};
}

// hex:... is binary; hex(N):... is type N in hex.
std::optional<Value> ReadHexValue(std::string_view data, bool wide_strings) {
  std::uint32_t type = kRegBinary;
  if (StartsWith(data, "(")) {
    const std::size_t close = data.find(')');
    const auto number =
        close == std::string_view::npos ? std::nullopt : ReadHex(data.substr(1, close - 1), 8);
    if (!number) return std::nullopt;
    type = *number;
    data.remove_prefix(close + 1);
  }
  if (!StartsWith(data, ":")) return std::nullopt;
  auto bytes = ReadHexBytes(data.substr(1));
  if (!bytes) return std::nullopt;
  const bool string_type = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
  if (string_type && wide_strings) return Value{type, NarrowUtf16(*bytes)};
  return Value{type, std::move(*bytes)};
}

std::optional<Value> ReadData(std::string_view data, bool wide_strings) {
  if (StartsWith(data, "\"")) return ReadString(data);
  if (StartsWith(data, "dword:")) return ReadDword(data.substr(6));
  if (StartsWith(data, "hex")) return ReadHexValue(data.substr(3), wide_strings);
  return std::nullopt;
}

class ExportReader {
 public:
  explicit ExportReader(MemoryRegistry& registry) : registry_(registry) {}

  void ReadLine(std::string_view line) {
    if (!continued_.empty() && !line.empty() && IsBlank(line.front())) {
      Collect(TrimBlanks(line));
      return;
    }
    // A list that broke off is read as far as it came.
    if (!continued_.empty()) ReadValue(std::exchange(continued_, {}));
    if (first_line_ && TrimBlanks(line) == kNarrowHeader) wide_strings_ = false;
    first_line_ = false;
    line = TrimBlanks(line);
    if (StartsWith(line, "[")) {
      ReadSection(line);
    } else if (StartsWith(line, "\"") || StartsWith(line, "@")) {
      Collect(line);
    }
  }

  void Finish() { ReadValue(std::exchange(continued_, {})); }

 private:
  // Hex lists go on over the next lines while a line ends in a backslash.
  void Collect(std::string_view line) {
    const bool goes_on = !line.empty() && line.back() == '\\';
    continued_.append(line.substr(0, line.size() - (goes_on ? 1 : 0)));
    if (!goes_on) ReadValue(std::exchange(continued_, {}));
  }

  void ReadSection(std::string_view line) {
    // Values after a section that is not kept, or not readable, go nowhere.
    key_.reset();
    if (line.size() < 2 || line.back() != ']') return;
    const std::string_view path = line.substr(1, line.size() - 2);
    const std::string_view root = path.substr(0, path.find('\\'));
    if (!EqualsIgnoringCase(root, kMachineRoot)) return;
    key_ = std::string(path.substr(std::min(path.size(), root.size() + 1)));
  }

  void ReadValue(const std::string& line) {
    if (!key_) return;
    std::string_view rest(line);
    std::optional<std::string> name;
    if (StartsWith(rest, "@")) {
      name = "";
      rest.remove_prefix(1);
    } else {
      name = ReadQuoted(rest);
    }
    rest = TrimBlanks(rest);
    if (!name || !StartsWith(rest, "=")) return;
    auto value = ReadData(TrimBlanks(rest.substr(1)), wide_strings_);
    if (value) registry_.Set(*key_, *name, std::move(*value));
  }

  MemoryRegistry& registry_;
  std::optional<std::string> key_;  // below HKEY_LOCAL_MACHINE; none while skipping
  std::string continued_;           // a value line that goes on over the next lines
  bool first_line_ = true;
  bool wide_strings_ = true;
};

}  // namespace

void LoadRegistryExport(const std::string& bytes, MemoryRegistry& registry) {
  const std::string text = ExportText(bytes);
  TextInMemory in_memory(text);
  LineReader lines(in_memory);
  ExportReader reader(registry);
  std::string line;
  while (lines.ReadLine(line)) reader.ReadLine(line);
  reader.Finish();
}

}  // namespace quennet
