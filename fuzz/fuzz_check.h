#pragma once
// A property a fuzz target holds the code to: a broken one stops the run with a
// message, and libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace quennet::fuzz {

inline void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace quennet::fuzz
