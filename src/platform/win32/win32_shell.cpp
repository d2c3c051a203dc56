#include "platform/win32/win32_api.h"

#include <cstring>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_shell.h"

namespace quennet {
namespace {

// The program that the command line names, in the system folder. Naming it keeps
// Windows from looking in the program's own folder and the current folder first,
// which others than administrators may be able to write.
std::string SystemProgram(const std::string& command_line) {
  std::string folder(MAX_PATH, '\0');
  const UINT length = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
  if (length == 0 || length >= folder.size()) throw LastWin32Error();
  folder.resize(length);
  return folder + "\\" + command_line.substr(0, command_line.find(' ')) + ".exe";
}

// Starts the command line as it stands, without a shell; the process handle is the
// caller's to close.
HANDLE Start(const std::string& command_line) {
  const std::string program = SystemProgram(command_line);
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
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw LastWin32Error();
  }
  CloseHandle(process.hThread);
  return process.hProcess;
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

void Win32Shell::run(const std::string& command_line) { CloseHandle(Start(command_line)); }

void Win32Shell::Exec(const std::string& command_line) { CloseHandle(Start(command_line)); }

int Win32Shell::RunAndWait(const std::string& command_line) {
  const HANDLE process = Start(command_line);
  DWORD status = 0;
  if (WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &status)) {
    const RuntimeError error = LastWin32Error();
    CloseHandle(process);
    throw error;
  }
  CloseHandle(process);
  return static_cast<int>(status);
}

}  // namespace quennet
