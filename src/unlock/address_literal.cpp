#include "unlock/address_literal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/ascii.h"

namespace quennet {
namespace {

using Bytes = std::vector<std::uint8_t>;

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Dotted quad: four decimal octets up to 255, without leading zeros.
std::optional<Bytes> ParseIpv4(std::string_view text) {
  Bytes octets;
  int value = -1;  // -1: no digit yet in this octet
  for (char c : text) {
    if (IsDigit(c)) {
      if (value == 0) return std::nullopt;
      value = value < 0 ? c - '0' : value * 10 + (c - '0');
      if (value > 255) return std::nullopt;
    } else if (c == '.' && value >= 0 && octets.size() < 3) {
      octets.push_back(static_cast<std::uint8_t>(value));
      value = -1;
    } else {
      return std::nullopt;
    }
  }
  if (octets.size() != 3 || value < 0) return std::nullopt;
  octets.push_back(static_cast<std::uint8_t>(value));
  return octets;
}

// Groups of one to four hex digits; one "::" standing for at least one zero group;
// an IPv4 quad may take the place of the last two groups. The sixteen bytes.
std::optional<Bytes> ParseIpv6(std::string_view text) {
  if (text.size() < 2) return std::nullopt;
  std::size_t pos = 0;
  if (text.substr(0, 2) == "::")
    pos = 1;  // the first ':' of a leading "::"
  else if (text[0] == ':')
    return std::nullopt;
  Bytes head, tail;  // the bytes before and after the "::"
  bool compressed = false;
  std::size_t group_start = pos;
  int digits = 0;
  unsigned group = 0;
  const auto add_group = [&] {
    Bytes& bytes = compressed ? tail : head;
    bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    bytes.push_back(static_cast<std::uint8_t>(group & 0xff));
    group = 0;
  };
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (HexValue(c) >= 0) {
      if (++digits > 4) return std::nullopt;
      group = group * 16 + static_cast<unsigned>(HexValue(c));
    } else if (c == ':') {
      if (digits == 0) {
        if (compressed) return std::nullopt;
        compressed = true;
      } else {
        if (pos + 1 == text.size()) return std::nullopt;  // a lone ':' at the end
        add_group();
      }
      digits = 0;
      group_start = pos + 1;
    } else if (c == '.') {
      const auto quad = ParseIpv4(text.substr(group_start));
      if (!quad) return std::nullopt;
      Bytes& bytes = compressed ? tail : head;
      bytes.insert(bytes.end(), quad->begin(), quad->end());
      digits = 0;
      break;
    } else {
      return std::nullopt;
    }
  }
  if (digits > 0) add_group();
  const std::size_t given = head.size() + tail.size();
  if (compressed ? given > 14 : given != 16) return std::nullopt;
  head.resize(16 - tail.size(), 0);
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// The IPv4 address an IPv6 one maps (::ffff:a.b.c.d), if any.
std::optional<Bytes> MappedIpv4(const Bytes& v6) {
  constexpr std::array<std::uint8_t, 12> kPrefix = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};
  if (!std::equal(kPrefix.begin(), kPrefix.end(), v6.begin())) return std::nullopt;
  return Bytes(v6.begin() + 12, v6.end());
}

bool IsIpv4Sender(const Bytes& v4) {
  const bool unspecified = std::all_of(v4.begin(), v4.end(), [](std::uint8_t b) { return b == 0; });
  const bool broadcast =
      std::all_of(v4.begin(), v4.end(), [](std::uint8_t b) { return b == 0xff; });
  const bool multicast = (v4[0] & 0xf0) == 0xe0;  // 224.0.0.0/4
  return !unspecified && !broadcast && !multicast;
}

bool IsIpv6Sender(const Bytes& v6) {
  if (const auto v4 = MappedIpv4(v6)) return IsIpv4Sender(*v4);
  const bool unspecified = std::all_of(v6.begin(), v6.end(), [](std::uint8_t b) { return b == 0; });
  const bool multicast = v6[0] == 0xff;  // ff00::/8
  return !unspecified && !multicast;
}

}  // namespace

bool IsSingleAddressLiteral(std::string_view text) { return ParseIpv4(text) || ParseIpv6(text); }

bool IsSenderAddress(std::string_view text) {
  if (const auto v4 = ParseIpv4(text)) return IsIpv4Sender(*v4);
  const auto v6 = ParseIpv6(text);
  return v6 && IsIpv6Sender(*v6);
}

}  // namespace quennet
