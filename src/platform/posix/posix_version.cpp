#include "platform/posix/posix_version.h"

#include <array>
#include <charconv>
#include <string_view>

namespace quennet {
namespace {

// 0 to 2 are Win32s, Windows 9x and NT.
constexpr std::uint32_t kNoWindowsPlatform = 3;

using VersionNumbers = std::array<std::uint32_t, 4>;

// Exactly four unsigned decimal numbers of 32 bits, separated by dots.
std::optional<VersionNumbers> ReadVersionNumbers(std::string_view text) {
  VersionNumbers numbers{};
  const char* pos = text.data();
  const char* const end = pos + text.size();
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0 && (pos == end || *pos++ != '.')) return std::nullopt;
    const auto [next, error] = std::from_chars(pos, end, numbers[i]);
    if (error != std::errc()) return std::nullopt;
    pos = next;
  }
  if (pos != end) return std::nullopt;
  return numbers;
}

}  // namespace

PosixVersion::PosixVersion(const char* setting) {
  if (setting != nullptr) setting_ = setting;
}

void PosixVersion::GetVersionExA(OsVersionInfoA& info) {
  if (!setting_) {
    info.dwPlatformId = kNoWindowsPlatform;
    info.dwMajorVersion = info.dwMinorVersion = info.dwBuildNumber = 0;
    return;
  }
  const std::optional<VersionNumbers> numbers = ReadVersionNumbers(*setting_);
  if (!numbers) return;
  info.dwPlatformId = (*numbers)[0];
  info.dwMajorVersion = (*numbers)[1];
  info.dwMinorVersion = (*numbers)[2];
  info.dwBuildNumber = (*numbers)[3];
}

}  // namespace quennet
