// Exercises the Win32 services against the real system; smoke_test.sh runs it under
// Wine. Prints one line per check and exits 1 when any check fails.
#include "platform/win32/win32_api.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>

#include "platform/error.h"
#include "platform/platform.h"
#include "platform/win32/win32_command_line.h"

namespace quennet {
namespace {

int failures = 0;

void Check(bool ok, const std::string& what, const std::string& seen = "") {
  std::cout << (ok ? "ok    " : "FAIL  ") << what << (seen.empty() ? "" : "  [" + seen + "]") << '\n';
  if (!ok) ++failures;
}

long ErrorNumber(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

std::string ReadWhole(FileService& files, const std::string& path) { return files.OpenTextFile(path)->ReadAll(); }

// A started command runs on its own: wait up to 10 s for its one line, then give it
// without its CR LF.
std::string AwaitLine(Host& host, const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    if (host.files.FileExists(path)) {
      const std::string text = ReadWhole(host.files, path);
      if (text.ends_with("\r\n")) return text.substr(0, text.size() - 2);
    }
    host.clock.Sleep(50);
  }
  return "";
}

void CheckShell(ShellService& shell) {
  const std::string windir = shell.ExpandEnvironmentStrings("%windir%");
  Check(!windir.empty() && windir != "%windir%", "%windir% expands", windir);
  Check(shell.ExpandEnvironmentStrings("a%quennet_undefined%b") == "a%quennet_undefined%b", "undefined name kept");
}

void CheckRegistry(RegistryService& registry) {
  RegHandle key = 0;
  const auto opened =
      registry.RegOpenKeyA(kHkeyLocalMachine, R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", key);
  Check(opened == kErrorSuccess && key != 0, "RegOpenKeyA Shell Folders");
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  registry.RegQueryValueExA(key, "Common AppData", type, nullptr, size);
  std::string data(size, ' ');
  std::uint32_t data_type = 0;
  const auto read =
      registry.RegQueryValueExA(key, "Common AppData", data_type, reinterpret_cast<unsigned char*>(data.data()), size);
  data.resize(std::min(data.find('\0'), data.size()));
  Check(read == kErrorSuccess && type == kRegSz && data_type == kRegSz && !data.empty(), "Common AppData", data);
  Check(registry.RegQueryValueExA(key, "No such value", type, nullptr, size) == kErrorFileNotFound,
        "missing value: not found");
  Check(registry.RegCloseKey(key) == kErrorSuccess, "RegCloseKey");
  RegHandle untouched = 7;
  Check(registry.RegOpenKeyA(kHkeyLocalMachine, R"(Software\No such key)", untouched) == kErrorFileNotFound &&
            untouched == 7,
        "missing key: not found, handle untouched");
}

void CheckVersion(VersionService& version) {
  OsVersionInfoA info;
  info.dwOSVersionInfoSize = sizeof info;
  std::fill(std::begin(info.szCSDVersion), std::end(info.szCSDVersion), ' ');
  version.GetVersionExA(info);
  const std::string seen = std::to_string(info.dwPlatformId) + "." + std::to_string(info.dwMajorVersion) + "." +
                           std::to_string(info.dwMinorVersion) + "." + std::to_string(info.dwBuildNumber) + " " +
                           std::string(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
  Check(info.dwOSVersionInfoSize == 148 && info.dwPlatformId == 2 && info.dwMajorVersion == 6 &&
            info.dwMinorVersion == 1,
        "GetVersionExA says Windows 7", seen);
  OsVersionInfoA refused;  // a size the call rejects
  refused.dwMajorVersion = 99;
  version.GetVersionExA(refused);
  Check(refused.dwMajorVersion == 99 && refused.dwPlatformId == 0, "failed call leaves the record");
}

void CheckFiles(FileService& files, const std::string& work) {
  Check(!files.FolderExists(work), "work folder is new", work);
  files.CreateFolder(work);
  Check(files.FolderExists(work) && !files.FileExists(work), "CreateFolder");
  Check(ErrorNumber([&] { files.CreateFolder(work); }) == kErrFileExists, "CreateFolder again: 58");

  const std::string log = work + "\\append.log";
  files.AppendLine(log, "first");
  files.AppendLine(log, "second");
  Check(ReadWhole(files, log) == "first\r\nsecond\r\n", "AppendLine twice: CR LF lines");

  const std::string copy = work + "\\copy.log";
  files.CopyFile(log, copy);
  files.AppendLine(copy, "third");
  auto old_reader = files.OpenTextFile(copy);
  files.CopyFile(log, copy);
  Check(old_reader->ReadAll() == "first\r\nsecond\r\nthird\r\n", "CopyFile while the old copy is read");
  old_reader.reset();
  auto stream = files.OpenTextFile(copy);
  const std::string line1 = stream->ReadLine();
  const std::string line2 = stream->ReadLine();
  Check(line1 == "first" && line2 == "second" && stream->AtEndOfStream(), "CopyFile replaces, ReadLine reads it");
  stream.reset();
  const auto tail = files.OpenTextFile(copy);
  Check(tail->ReadTail(8) == "second\r\n" && tail->AtEndOfStream() &&
            files.OpenTextFile(copy)->ReadTail(100) == "first\r\nsecond\r\n",
        "ReadTail: the end of the file, or all of it");

  const std::string missing = work + "\\missing.log";
  Check(ErrorNumber([&] { files.CopyFile(missing, copy); }) == kErrFileNotFound &&
            ReadWhole(files, copy) == "first\r\nsecond\r\n",
        "CopyFile from a missing file: 53, copy kept");
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((work + "\\*.tmp").c_str(), &found);
  Check(search == INVALID_HANDLE_VALUE, "no temporary file left");
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  Check(ErrorNumber([&] { files.CopyFile(log, work + "\\no folder\\copy.log"); }) == kErrFileNotFound,
        "CopyFile into a missing folder: 53");
  Check(ErrorNumber([&] { files.OpenTextFile(missing); }) == kErrFileNotFound && !files.FileExists(missing),
        "OpenTextFile of a missing file: 53, not created");
}

void CheckCommands(Host& host, const std::string& work) {
  Check(ErrorNumber([&] { host.shell.run(work + "\\no_such_program.exe a b"); }) == kErrFileNotFound,
        "run of a missing program: 53");
  const std::string recorder = "\"" + host.program_folder + "\\quennet_command_recorder.exe\"";
  const std::string arguments = "  dt  \"Knock RDP\" a\\\"b\tc %windir% ";
  const std::pair<std::string, std::function<void(const std::string&)>> starts[] = {
      {"run", [&](const std::string& line) { host.shell.run(line); }},
      {"Exec", [&](const std::string& line) { host.shell.Exec(line); }},
  };
  for (const auto& [name, start] : starts) {
    const std::string record = work + "\\" + name + ".txt";
    SetEnvironmentVariableA("QUENNET_COMMAND_RECORD", record.c_str());  // the started command inherits it
    const std::string line = recorder + arguments;
    start(line);
    const std::string got = AwaitLine(host, record);
    Check(got == line, name + " passes the command line byte for byte", got);
  }
}

void CheckClock(Clock& clock) {
  const std::int64_t before = clock.ElapsedMilliseconds();
  clock.Sleep(50);
  const std::int64_t slept = clock.ElapsedMilliseconds() - before;
  Check(slept >= 30 && slept < 5000, "Sleep(50) takes about 50 ms", std::to_string(slept));
  clock.DoEvents();  // gives the thread its message queue
  PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
  clock.DoEvents();
  MSG message;
  Check(!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), "DoEvents empties the message queue");
}

void CheckCommandLine(Platform& platform, const std::string& expected_arguments) {
  const std::string folder = platform.host().program_folder;
  Check(!folder.ends_with('\\') && platform.host().files.FileExists(folder + "\\quennet_platform_probe.exe"),
        "program folder", folder);
  Check(platform.ArgumentText() == expected_arguments, "ArgumentText", platform.ArgumentText());
  const std::pair<std::string, std::string> cases[] = {
      {R"("C:\my files\quennet.exe"  701,702 dt)", "701,702 dt"},
      {"quennet.exe\t 701  dt ", "701  dt "},
      {R"("C:\a b\q.exe"701 "x")", R"(701 "x")"},
      {"quennet.exe", ""},
      {R"("C:\unclosed q.exe 701)", ""},
      {"", ""},
  };
  for (const auto& [command_line, expected] : cases) {
    const std::string got = ArgumentsAfterProgramName(command_line);
    Check(got == expected, "arguments after the name in " + command_line, got);
  }
}

}  // namespace
}  // namespace quennet

int main(int argc, char** argv) {
  using namespace quennet;
  std::string expected_arguments;  // the probe's own arguments, given without blanks in them
  for (int i = 1; i < argc; ++i) expected_arguments += (i > 1 ? " " : "") + std::string(argv[i]);
  try {
    auto platform = MakePlatform(argc, argv);
    Host& host = platform->host();
    const std::string work =
        host.shell.ExpandEnvironmentStrings("%TEMP%") + "\\quennet_probe_" + std::to_string(GetTickCount64());
    CheckShell(host.shell);
    CheckRegistry(host.registry);
    CheckVersion(host.version);
    CheckFiles(host.files, work);
    CheckCommands(host, work);
    CheckClock(host.clock);
    CheckCommandLine(*platform, expected_arguments);
  } catch (const RuntimeError& error) {
    Check(false, "unexpected " + FatalReport(error));
  }
  std::cout << (failures == 0 ? "all checks passed" : std::to_string(failures) + " checks failed") << '\n';
  return failures == 0 ? 0 : 1;
}
