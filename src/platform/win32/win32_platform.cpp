#include "platform/win32/win32_api.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_locks.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_folder_security.h"
#include "platform/win32/win32_privileges.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_version.h"

namespace quennet {
namespace {

// The program's path in the ANSI code page, in which every file of the program is
// named. A path that code page cannot name would lose every log line unseen.
std::string ProgramPath() {
  std::wstring wide(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
    if (length == 0) throw LastWin32Error("find the program");
    if (length < wide.size()) {
      wide.resize(length);
      break;
    }
    wide.resize(wide.size() * 2);  // cut short: try a longer buffer
  }
  const int wide_length = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length,
                                       nullptr, 0, nullptr, &lossy);
  std::string path(static_cast<std::size_t>(size), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length, path.data(), size,
                        nullptr, &lossy);
  if (size == 0 || lossy) {
    throw RuntimeError(kErrPathNotFound,
                       "The program's folder cannot be named in the system's ANSI code page; "
                       "install it in a folder "
                       "whose name uses only characters of that code page");
  }
  return path;
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  const std::size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? "" : path.substr(0, separator);
}

class Win32Platform : public Platform {
 public:
  Win32Platform()
      : host_{files_,   locks_,   shell_,      clock_,         registry_,
              version_, folders_, privileges_, ProgramFolder()} {}

  Host& host() override { return host_; }
  std::string ArgumentText() override { return ArgumentsAfterProgramName(GetCommandLineA()); }

 private:
  Win32FileService files_;
  Win32FileLocks locks_;
  Win32Shell shell_;
  Win32Clock clock_;
  Win32Registry registry_;
  Win32Version version_;
  Win32FolderSecurity folders_;
  Win32Privileges privileges_;
  Host host_;
};

}  // namespace

std::unique_ptr<Platform> MakePlatform(int, char**) { return std::make_unique<Win32Platform>(); }

void UseBinaryStandardOutput() {
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace quennet
