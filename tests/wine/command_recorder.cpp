// Stands in for an outside command: appends the command line it was started with,
// byte for byte, and CR LF to the file named by QUENNET_COMMAND_RECORD. A copy
// started from anywhere but the system folder puts its own path in brackets first.
// Commands started together may record at the same moment, so each record is one
// write to a handle opened for appending only, which Windows places at the end as a
// whole.
#include <windows.h>

#include <string>

namespace {

std::string Environment(const char* name) {
  char value[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length == 0 || length >= sizeof value ? "" : std::string(value, length);
}

// The folder of this program.
std::string ProgramFolder() {
  char path[MAX_PATH];
  const std::string program(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return program.substr(0, program.rfind('\\'));
}

}  // namespace

int main() {
  const std::string path = Environment("QUENNET_COMMAND_RECORD");
  if (path.empty()) return 2;
  const HANDLE file =
      CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  const std::string folder = ProgramFolder();
  char system[MAX_PATH];
  const std::string system_folder(system, GetSystemDirectoryA(system, sizeof system));
  const std::string where =
      lstrcmpiA(folder.c_str(), system_folder.c_str()) == 0 ? "" : "[" + folder + "] ";
  const std::string record = where + GetCommandLineA() + "\r\n";
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size() ? 0 : 4;
}
