#include "knock/knock_openings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "errors/error.h"
#include "fwlog/snapshot.h"
#include "logging/log_files.h"
#include "text/number_text.h"

namespace quennet {
namespace {

// The record stays small: beyond this many, the openings kept the shortest go first.
constexpr std::size_t kMostOpenings = 1000;
constexpr double kLongestWindow = 24 * 60 * 60;
// After its lines leave a window, a knock may still be judged by a run that started
// in time and waits for the log twice.
constexpr std::int64_t kKeptAfterWindow = 120;
constexpr std::size_t kKeyLength = 16;

struct Opening {
  std::int64_t until;  // DateTime seconds
  std::string key;
};

// FNV-1a of what tells the opening apart: a lookalike costs a knock that never
// reached anyone else's window, so a fast hash will do.
std::string Key(const KnockOpening& knock) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::string* part : {&knock.rule, &knock.address, &knock.port, &knock.lines}) {
    for (const char c : *part + '\n') {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
  }
  std::string key(kKeyLength, '0');
  for (char& digit : key) {
    digit = "0123456789abcdef"[hash >> 60];
    hash <<= 4;
  }
  return key;
}

// The openings of the record that still count at `now`; a line cut short or not of
// this form counts as none.
std::vector<Opening> ReadOpenings(std::string_view text, std::int64_t now) {
  std::vector<Opening> openings;
  for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
       text.remove_prefix(end + 1)) {
    const std::string_view line = text.substr(0, end);
    Opening opening{};
    const auto [at, error] = std::from_chars(line.data(), line.data() + line.size(), opening.until);
    const std::string_view key = line.substr(static_cast<std::size_t>(at - line.data()));
    if (error != std::errc() || key.size() != kKeyLength + 1 || key[0] != ' ' ||
        opening.until < now)
      continue;
    opening.key = key.substr(1);
    openings.push_back(opening);
  }
  return openings;
}

std::string OpeningsText(const std::vector<Opening>& openings) {
  std::string text;
  for (const Opening& opening : openings)
    text += std::to_string(opening.until) + " " + opening.key + "\n";
  return text;
}

std::int64_t KeptFor(const std::string& period) {
  const std::optional<double> seconds = ReadNumber(period);
  const double window = seconds ? std::clamp(std::floor(*seconds), 0.0, kLongestWindow) : 0.0;
  return static_cast<std::int64_t>(window) + kKeptAfterWindow;
}

}  // namespace

void OpenOnce(Host& host, const FormState& form, const KnockOpening& knock,
              const std::function<void()>& open) {
  std::unique_ptr<LockedFile> record;
  try {
    record = host.locks.Lock(StateFilePath(form.AppDataFolder, kOpeningsState));
  } catch (const RuntimeError&) {
    open();
    return;
  }
  const std::int64_t now = host.clock.Now().seconds;
  std::vector<Opening> openings;
  try {
    openings = ReadOpenings(record->Read(), now);
  } catch (const RuntimeError&) {
  }
  const std::string key = Key(knock);
  if (std::any_of(openings.begin(), openings.end(),
                  [&](const Opening& opening) { return opening.key == key; })) {
    DebugLog(host, form.DebugEnabled, [&] {
      return NowText(host.clock) + "  -   port knock already opened for " + knock.address +
             " under rule " + knock.rule;
    });
    return;
  }
  open();
  openings.push_back({now + KeptFor(knock.period), key});
  if (openings.size() > kMostOpenings) {
    std::sort(openings.begin(), openings.end(),
              [](const Opening& a, const Opening& b) { return a.until > b.until; });
    openings.resize(kMostOpenings);
  }
  try {
    record->Write(OpeningsText(openings));
  } catch (const RuntimeError&) {
  }
}

}  // namespace quennet
