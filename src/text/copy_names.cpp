#include "text/copy_names.h"

#include <charconv>

namespace quennet {
namespace {

constexpr std::string_view kCopySuffix = ".tmp";

}  // namespace

std::string CopyName(const std::string& to, unsigned long pid) {
  return to + "." + std::to_string(pid) + std::string(kCopySuffix);
}

unsigned long CopyOwner(std::string_view entry, std::string_view name) {
  if (!entry.starts_with(name) || !entry.ends_with(kCopySuffix)) return 0;
  entry.remove_prefix(name.size());
  entry.remove_suffix(kCopySuffix.size());
  if (entry.size() < 2 || entry[0] != '.') return 0;
  unsigned long pid = 0;
  const auto [end, error] = std::from_chars(entry.data() + 1, entry.data() + entry.size(), pid);
  return error == std::errc() && end == entry.data() + entry.size() ? pid : 0;
}

}  // namespace quennet
