#pragma once

#include <stdexcept>

namespace quennet {

// A command line that a program cannot take; the text says what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quennet
