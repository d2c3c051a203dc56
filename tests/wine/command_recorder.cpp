// Stands in for an outside command: appends the command line it was started with,
// byte for byte, and CR LF to the file named by QUENNET_COMMAND_RECORD. Commands
// started together may record at the same moment, so each record is one write to a
// handle opened for appending only, which Windows places at the end as a whole.
#include <windows.h>

#include <string>

int main() {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("QUENNET_COMMAND_RECORD", path, sizeof path);
  if (length == 0 || length >= sizeof path) return 2;
  const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  const std::string record = std::string(GetCommandLineA()) + "\r\n";
  DWORD written = 0;
  const BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size() ? 0 : 4;
}
