// What a run of the program cannot show of the Win32 services: a copy that replaces a
// file another reader holds open, a failed copy, reading a file's tail, and how the
// argument text is cut from a command line. end_to_end_test.sh runs it in an empty
// folder; it prints one line per check and exits 1 when any check fails.
#include "platform/win32/win32_api.h"

#include <iostream>
#include <string>
#include <utility>

#include "platform/error.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_services.h"

namespace quennet {
namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::cout << (ok ? "ok    " : "FAIL  ") << what << '\n';
  if (!ok) ++failures;
}

template <typename Action>
long ErrorNumber(Action action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

void CheckFiles(FileService& files, const std::string& folder) {
  const std::string log = folder + "\\a.log";
  const std::string copy = folder + "\\copy.log";
  const std::string missing = folder + "\\missing.log";
  files.AppendLine(log, "first");
  files.AppendLine(log, "second");
  files.CopyFile(log, copy);
  files.AppendLine(copy, "third");
  auto old_reader = files.OpenTextFile(copy);
  files.CopyFile(log, copy);
  Check(old_reader->ReadAll() == "first\r\nsecond\r\nthird\r\n", "CopyFile while the old copy is read: it reads on");
  old_reader.reset();
  const auto tail = files.OpenTextFile(copy);
  Check(tail->ReadTail(8) == "second\r\n" && tail->AtEndOfStream() &&
            files.OpenTextFile(copy)->ReadTail(100) == "first\r\nsecond\r\n",
        "CopyFile replaced the copy; ReadTail gives the end of the file, or all of it");
  Check(ErrorNumber([&] { files.CopyFile(missing, copy); }) == kErrFileNotFound &&
            ErrorNumber([&] { files.CopyFile(log, folder + "\\no folder\\copy.log"); }) == kErrFileNotFound &&
            files.OpenTextFile(copy)->ReadAll() == "first\r\nsecond\r\n",
        "CopyFile from a missing file or into a missing folder: 53, the copy kept");
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
  Check(search == INVALID_HANDLE_VALUE, "no temporary file left");
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  Check(ErrorNumber([&] { files.OpenTextFile(missing); }) == kErrFileNotFound && !files.FileExists(missing),
        "OpenTextFile of a missing file: 53, not created");
}

void CheckArgumentsAfterProgramName() {
  const std::pair<std::string, std::string> cases[] = {
      {R"("C:\my files\quennet.exe"  701,702 dt)", "701,702 dt"}, {"quennet.exe\t 701  dt ", "701  dt "},
      {R"("C:\a b\q.exe"701 "x")", R"(701 "x")"},                 {"quennet.exe", ""},
      {R"("C:\unclosed q.exe 701)", ""},                          {"", ""},
  };
  for (const auto& [command_line, expected] : cases) {
    Check(ArgumentsAfterProgramName(command_line) == expected, "arguments after the name in " + command_line);
  }
}

}  // namespace
}  // namespace quennet

int main() {
  using namespace quennet;
  Win32FileService files;
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  try {
    CheckFiles(files, folder);
  } catch (const RuntimeError& error) {
    Check(false, "unexpected " + FatalReport(error));
  }
  CheckArgumentsAfterProgramName();
  return failures == 0 ? 0 : 1;
}
