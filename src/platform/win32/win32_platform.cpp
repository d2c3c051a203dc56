#include "platform/win32/win32_api.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_folder_security.h"
#include "platform/win32/win32_privileges.h"
#include "platform/win32/win32_services.h"

namespace quennet {
namespace {

std::string ProgramFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw LastWin32Error();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: try a longer buffer
  }
  const std::size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? "" : path.substr(0, separator);
}

class Win32Platform : public Platform {
 public:
  Win32Platform() : host_{files_, shell_, clock_, registry_, version_, folders_, privileges_, ProgramFolder()} {}

  Host& host() override { return host_; }
  std::string ArgumentText() override { return ArgumentsAfterProgramName(GetCommandLineA()); }

 private:
  Win32FileService files_;
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
