#include "platform/win32/win32_api.h"

#include <cstring>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_services.h"

namespace quennet {
namespace {

// Starts the command line as it stands, without a shell, and lets it run on its own.
void Start(const std::string& command_line) {
  std::string writable = command_line;  // CreateProcessA may write into it
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  // The child writes where this process writes. Started from the desktop, this
  // process has no standard handles, and a console child keeps its own console.
  if (startup.hStdInput || startup.hStdOutput || startup.hStdError) startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    throw LastWin32Error();
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace

std::string Win32Shell::ExpandEnvironmentStrings(const std::string& text) {
  std::string expanded;
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  while (needed > expanded.size()) {
    expanded.resize(needed);
    needed = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
  }
  if (needed == 0) throw LastWin32Error();
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

void Win32Shell::run(const std::string& command_line) { Start(command_line); }

void Win32Shell::Exec(const std::string& command_line) { Start(command_line); }

}  // namespace quennet
