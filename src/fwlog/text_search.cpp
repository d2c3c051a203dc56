#include "fwlog/text_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quennet {

namespace {

// Firewall records never hold a '#', which begins the log's header lines: such a needle
// is found fastest by the library's search for that one byte.
std::size_t FindHeader(std::string_view text, std::string_view needle, std::size_t from) {
  for (std::size_t at = from; at < text.size();) {
    const void* hit = std::memchr(text.data() + at, needle[0], text.size() - at);
    if (hit == nullptr) break;
    at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    if (text.substr(at, needle.size()) == needle) return at;
    ++at;
  }
  return std::string_view::npos;
}

}  // namespace

#if defined(__SSE2__)

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
  constexpr std::size_t kLanes = 16;
  constexpr std::size_t kStep = 2 * kLanes;
  const std::size_t size = needle.size();
  if (!needle.empty() && needle[0] == '#') return FindHeader(text, needle, from);
  if (size < 3 || from > text.size() || text.size() - from < size + kStep)
    return text.find(needle, from);
  // Thirty-two places at a time are tested for the needle's first, second and last
  // bytes; only where all three stand is the whole needle compared. In a log the
  // first byte is often a blank, the second rarely the port's first digit.
  const __m128i first = _mm_set1_epi8(needle[0]);
  const __m128i second = _mm_set1_epi8(needle[1]);
  const __m128i last = _mm_set1_epi8(needle[size - 1]);
  const char* const data = text.data();
  const auto places = [&](const char* at) {
    const auto load = [at](std::size_t offset) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + offset));
    };
    const __m128i hits = _mm_and_si128(
        _mm_and_si128(_mm_cmpeq_epi8(load(0), first), _mm_cmpeq_epi8(load(1), second)),
        _mm_cmpeq_epi8(load(size - 1), last));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
  };
  std::size_t at = from;
  for (const std::size_t stop = text.size() - size - kStep + 1; at < stop; at += kStep) {
    std::uint32_t mask = places(data + at) | places(data + at + kLanes) << kLanes;
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t candidate = at + static_cast<std::size_t>(std::countr_zero(mask));
      if (std::memcmp(data + candidate + 2, needle.data() + 2, size - 3) == 0) return candidate;
    }
  }
  return text.find(needle, at);
}

#else

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
  return text.find(needle, from);
}

#endif

}  // namespace quennet
