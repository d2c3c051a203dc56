#include "unlock/address_literal.h"

#include <cctype>

namespace quennet {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Dotted quad: four decimal octets up to 255, without leading zeros.
bool IsIpv4(std::string_view text) {
  int octets = 0;
  int value = -1;  // -1: no digit yet in this octet
  for (char c : text) {
    if (IsDigit(c)) {
      if (value == 0) return false;
      value = value < 0 ? c - '0' : value * 10 + (c - '0');
      if (value > 255) return false;
    } else if (c == '.' && value >= 0 && octets < 3) {
      ++octets;
      value = -1;
    } else {
      return false;
    }
  }
  return octets == 3 && value >= 0;
}

// Groups of one to four hex digits; one "::" standing for at least one zero group;
// an IPv4 quad may take the place of the last two groups.
bool IsIpv6(std::string_view text) {
  if (text.size() < 2) return false;
  std::size_t pos = 0;
  if (text.substr(0, 2) == "::") pos = 1;  // the first ':' of a leading "::"
  else if (text[0] == ':') return false;
  int groups = 0;
  bool compressed = false;
  std::size_t group_start = pos;
  int digits = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (HexValue(c) >= 0) {
      if (++digits > 4) return false;
    } else if (c == ':') {
      if (digits == 0) {
        if (compressed) return false;
        compressed = true;
      } else {
        if (pos + 1 == text.size()) return false;  // a lone ':' at the end
        ++groups;
      }
      digits = 0;
      group_start = pos + 1;
    } else if (c == '.') {
      if (!IsIpv4(text.substr(group_start))) return false;
      groups += 2;
      digits = 0;
      break;
    } else {
      return false;
    }
  }
  if (digits > 0) ++groups;
  return compressed ? groups <= 7 : groups == 8;
}

}  // namespace

bool IsSingleAddressLiteral(std::string_view text) { return IsIpv4(text) || IsIpv6(text); }

}  // namespace quennet
