// What a run of the program cannot show of the Win32 services: a copy that replaces a
// file another reader holds open, a failed copy, reading pieces of a file without
// moving the reading in order, stamps, a lock that leaves the file readable, no link
// where there is none (Wine makes no symbolic links), folder access made private,
// and how the argument text is cut from a command line.
// end_to_end_test.sh runs it in an empty folder; it prints one line per check and exits
// 1 when any check fails.
#include "platform/win32/win32_api.h"

#include <iostream>
#include <string>
#include <utility>

#include "errors/error.h"
#include "platform/win32/win32_command_line.h"
#include "platform/win32/win32_file_locks.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_folder_security.h"
#include "platform/win32/win32_shell.h"
#include "reading/line_reader.h"
#include "support/failure.h"

namespace quennet {
namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::cout << (ok ? "ok    " : "FAIL  ") << what << '\n';
  if (!ok) ++failures;
}

std::string ReadAll(TextStream& stream) { return LineReader(stream).ReadAll(); }

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
  Check(ReadAll(*old_reader) == "first\r\nsecond\r\nthird\r\n",
        "CopyFile while the old copy is read: it reads on");
  old_reader.reset();
  const auto text = files.OpenTextFile(copy);
  Check(text->Size() == 15 && text->ReadAt(7, 8) == "second\r\n" &&
            text->ReadAt(5, 100) == "\r\nsecond\r\n" && text->ReadAt(20, 4).empty() &&
            ReadAll(*text) == "first\r\nsecond\r\n",
        "CopyFile replaced the copy; ReadAt gives the bytes from an offset, fewer at the end, and "
        "reading in order "
        "still begins at the start");
  const FileStamp before = files.Stamp(log);
  files.AppendLine(log, "third");
  Check(text->Stamp() == files.Stamp(copy) && before != files.Stamp(log) &&
            files.Stamp(log) == files.Stamp(log),
        "Stamp: the same of a file and its stream, another once the file grew");
  Check(ErrorNumber([&] { files.CopyFile(missing, copy); }) == kErrFileNotFound &&
            ErrorNumber([&] { files.CopyFile(log, folder + "\\no folder\\copy.log"); }) ==
                kErrFileNotFound &&
            ReadAll(*files.OpenTextFile(copy)) == "first\r\nsecond\r\n",
        "CopyFile from a missing file or into a missing folder: 53, the copy kept");
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
  Check(search == INVALID_HANDLE_VALUE, "no temporary file left");
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  Check(ErrorNumber([&] { files.OpenTextFile(missing); }) == kErrFileNotFound &&
            !files.FileExists(missing),
        "OpenTextFile of a missing file: 53, not created");
  const std::string detail = Failure([&] { files.OpenTextFile(missing); }).Detail();
  const std::string named = "open " + missing + ": ";
  Check(detail.starts_with(named) && detail.size() > named.size() && detail.back() != '\n' &&
            detail.back() != '.',
        "its detail names the operation, the path and the system's message: " + detail);
  Check(!files.LinkTarget(log) && !files.LinkTarget(missing),
        "LinkTarget of a file and of a missing file: no link");
}

void CheckLocks(FileService& files, const std::string& folder) {
  Win32FileLocks locks;
  const std::string path = folder + "\\state";
  {
    const auto held = locks.Lock(path);
    held->Write("longer text");
    held->Write("record");
    Check(held->Read() == "record" && ReadAll(*files.OpenTextFile(path)) == "record",
          "a locked file is replaced whole and others may read it meanwhile");
  }
  Check(locks.Lock(path)->Read() == "record", "the lock is let go with its holder");
}

void CheckFolderSecurity(FolderSecurity& folders, const std::string& folder) {
  const std::string made = folder + "\\private";
  folders.CreatePrivateFolder(made);
  folders.CreatePrivateFolder(made);
  const FolderFacts facts = folders.Inspect(made);
  Check(facts.exists && facts.is_folder && !facts.is_link && facts.owner_trusted &&
            !facts.others_may_write && !facts.others_may_read,
        "CreatePrivateFolder: readable and writable by SYSTEM and Administrators only, a trusted "
        "owner");
  folders.MakePrivate(made);
  Check(!folders.Inspect(made).others_may_write, "MakePrivate keeps it so");
  Check(!folders.Inspect(folder + "\\missing").exists &&
            !folders.Inspect(folder + "\\a.log").is_folder,
        "Inspect: a missing folder, a file");
  // A tree with a read-only file and a folder in a folder goes whole; a link in it
  // goes itself, where Wine can make one.
  const std::string tree = folder + "\\tree", outside = folder + "\\outside";
  CreateDirectoryA(tree.c_str(), nullptr);
  CreateDirectoryA((tree + "\\inner").c_str(), nullptr);
  CreateDirectoryA(outside.c_str(), nullptr);
  for (const std::string& file :
       {tree + "\\inner\\a.txt", outside + "\\kept.txt", tree + "\\ro.txt"}) {
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  SetFileAttributesA((tree + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  const bool linked =
      CreateSymbolicLinkA((tree + "\\link").c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  folders.RemoveTree(tree);
  folders.RemoveTree(tree);  // gone already: no error
  Check(GetFileAttributesA(tree.c_str()) == INVALID_FILE_ATTRIBUTES &&
            GetFileAttributesA((outside + "\\kept.txt").c_str()) != INVALID_FILE_ATTRIBUTES,
        std::string("RemoveTree: the tree goes, not what a link in it points to") +
            (linked ? "" : " (Wine made no link)"));
}

void CheckRunAndRead() {
  Win32Shell shell;
  const CommandOutput read = shell.RunAndRead("hostname", 4096);
  Check(read.status == 0 && !read.output.empty() && read.output.back() == '\n',
        "RunAndRead: status and output");
  Check(ErrorNumber([&] { shell.RunAndRead("hostname", 1); }) == kErrPathFileAccess,
        "RunAndRead: past the limit");
}

void CheckArgumentsAfterProgramName() {
  const std::pair<std::string, std::string> cases[] = {
      {R"("C:\my files\quennet.exe"  701,702 dt)", "701,702 dt"},
      {"quennet.exe\t 701  dt ", "701  dt "},
      {R"("C:\a b\q.exe"701 "x")", R"(701 "x")"},
      {"quennet.exe", ""},
      {R"("C:\unclosed q.exe 701)", ""},
      {"", ""},
  };
  for (const auto& [command_line, expected] : cases) {
    Check(ArgumentsAfterProgramName(command_line) == expected,
          "arguments after the name in " + command_line);
  }
}

}  // namespace
}  // namespace quennet

int main() {
  using namespace quennet;
  Win32FileService files;
  Win32FolderSecurity folders;
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  try {
    CheckFiles(files, folder);
    CheckLocks(files, folder);
    CheckFolderSecurity(folders, folder);
    CheckRunAndRead();
  } catch (const RuntimeError& error) {
    Check(false, "unexpected " + FatalReport(error));
  }
  CheckArgumentsAfterProgramName();
  return failures == 0 ? 0 : 1;
}
