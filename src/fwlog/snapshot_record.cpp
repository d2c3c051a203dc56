#include "fwlog/snapshot_record.h"

#include <charconv>

namespace quennet {
namespace {

constexpr std::string_view kVersion = "1";

template <typename Number>
bool Take(std::string_view& text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end == text.data() + text.size() || *end != ' ') return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
  return true;
}

bool Take(std::string_view& text, FileStamp& stamp) {
  return Take(text, stamp.volume) && Take(text, stamp.id) && Take(text, stamp.size) &&
         Take(text, stamp.written) && Take(text, stamp.changed);
}

std::string StampText(const FileStamp& stamp) {
  return std::to_string(stamp.volume) + " " + std::to_string(stamp.id) + " " +
         std::to_string(stamp.size) + " " + std::to_string(stamp.written) + " " +
         std::to_string(stamp.changed) + " ";
}

}  // namespace

std::string RecordText(const SnapshotRecord& record) {
  return std::string(kVersion) + " " + std::to_string(record.copy_began_ms) + " " +
         StampText(record.live) + StampText(record.snapshot) + record.live_path + "\n";
}

std::optional<SnapshotRecord> ReadRecord(std::string_view text) {
  if (!text.starts_with(std::string(kVersion) + " ") || !text.ends_with('\n')) return std::nullopt;
  text.remove_prefix(kVersion.size() + 1);
  text.remove_suffix(1);
  SnapshotRecord record;
  if (!Take(text, record.copy_began_ms) || !Take(text, record.live) || !Take(text, record.snapshot))
    return std::nullopt;
  if (text.find('\n') != std::string_view::npos) return std::nullopt;
  record.live_path = text;
  return record;
}

}  // namespace quennet
