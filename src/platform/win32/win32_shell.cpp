#include "platform/win32/win32_api.h"

#include <cstring>
#include <string>

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
  if (length == 0 || length >= folder.size()) throw LastWin32Error("find the system folder");
  folder.resize(length);
  return folder + "\\" + command_line.substr(0, command_line.find(' ')) + ".exe";
}

// Starts the command line as it stands, without a shell; the process handle is the
// caller's to close. An `output` handle becomes the command's standard output.
HANDLE Start(const std::string& command_line, HANDLE output = nullptr) {
  const std::string program = SystemProgram(command_line);
  std::string writable = command_line;  // CreateProcessA may write into it
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output != nullptr ? output : GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  // The child writes where this process writes. Started from the desktop, this
  // process has no standard handles, and a console child keeps its own console.
  if (startup.hStdInput || startup.hStdOutput || startup.hStdError)
    startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw LastWin32Error("start", program);
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

int WaitForExit(HANDLE process) {
  DWORD status = 0;
  if (WaitForSingleObject(process, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process, &status)) {
    const RuntimeError error = LastWin32Error("wait for the command");
    CloseHandle(process);
    throw error;
  }
  CloseHandle(process);
  return static_cast<int>(status);
}

}  // namespace

std::string Win32Shell::ExpandEnvironmentStrings(const std::string& text) {
  std::string expanded;
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  while (needed > expanded.size()) {
    expanded.resize(needed);
    needed = ExpandEnvironmentStringsA(text.c_str(), expanded.data(),
                                       static_cast<DWORD>(expanded.size()));
  }
  if (needed == 0) throw LastWin32Error("expand", text);
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

void Win32Shell::run(const std::string& command_line) { CloseHandle(Start(command_line)); }

void Win32Shell::Exec(const std::string& command_line) { CloseHandle(Start(command_line)); }

int Win32Shell::RunAndWait(const std::string& command_line) {
  return WaitForExit(Start(command_line));
}

CommandOutput Win32Shell::RunAndRead(const std::string& command_line, std::size_t limit) {
  HANDLE reader = nullptr;
  HANDLE writer = nullptr;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  if (!CreatePipe(&reader, &writer, &inheritable, 0)) throw LastWin32Error("open a pipe");
  // Only the command's end is inherited: with ours, its output would never end.
  if (!SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0)) {
    const RuntimeError error = LastWin32Error("open a pipe");
    CloseHandle(reader);
    CloseHandle(writer);
    throw error;
  }
  HANDLE process = nullptr;
  try {
    process = Start(command_line, writer);
  } catch (const RuntimeError&) {
    CloseHandle(reader);
    CloseHandle(writer);
    throw;
  }
  CloseHandle(writer);
  CommandOutput result;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(reader, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    if (result.output.size() + got > limit) {
      TerminateProcess(process, 1);
      CloseHandle(reader);
      WaitForExit(process);
      throw RuntimeError(kErrPathFileAccess,
                         "The command wrote more than " + std::to_string(limit) + " bytes");
    }
    result.output.append(buffer, got);
  }
  CloseHandle(reader);
  result.status = WaitForExit(process);
  return result;
}

}  // namespace quennet
