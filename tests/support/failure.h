#pragma once

#include <functional>

#include "errors/error.h"

namespace quennet {

// The RuntimeError that `action` throws; number 0 when it throws none.
inline RuntimeError Failure(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error;
  }
  return {0, ""};
}

inline long ErrorNumber(const std::function<void()>& action) { return Failure(action).number(); }

}  // namespace quennet
