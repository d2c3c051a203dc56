#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/posix/test_support.h"

namespace quennet {
namespace {

std::string Backslashed(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

TEST(PosixFiles, FoldersAndFilesByBackslashedPaths) {
  TempFolder dir;
  PosixFileService files;
  const std::string folder = Backslashed(dir / "logs");
  files.CreateFolder(folder);
  files.AppendLine(folder + "\\a.log", "x");
  EXPECT_TRUE(files.FolderExists(folder));
  EXPECT_FALSE(files.FileExists(folder));
  EXPECT_TRUE(files.FileExists(folder + "\\a.log"));
  EXPECT_FALSE(files.FolderExists(folder + "\\a.log"));
  EXPECT_EQ(ErrorNumber([&] { files.CreateFolder(folder); }), kErrFileExists);
  EXPECT_EQ(ErrorNumber([&] { files.CreateFolder(folder + "\\no\\deeper"); }), kErrFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { files.CreateFolder(folder + "\\a.log\\sub"); }), kErrPathNotFound);
}

TEST(PosixFiles, AppendLineCreatesAndExtendsOrThrows) {
  TempFolder dir;
  PosixFileService files;
  for (const char* line : {"first", "", "two\r\nlines"}) files.AppendLine(dir / "velt.log", line);
  EXPECT_EQ(dir.Read("velt.log"), "first\r\n\r\ntwo\r\nlines\r\n");
  EXPECT_EQ(ErrorNumber([&] { files.AppendLine(dir / "missing/error.log", "x"); }), kErrFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { files.AppendLine(dir / "velt.log/error.log", "x"); }), kErrPathNotFound);
  EXPECT_EQ(ErrorNumber([&] { files.AppendLine(dir.path(), "x"); }), kErrPathFileAccess);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"velt.log"});
}

TEST(PosixFiles, CopyReplacesTheDestinationWhileAReaderKeepsTheOldFile) {
  TempFolder dir;
  PosixFileService files;
  // Longer than one read, so the reader still reads the old file after the copy.
  const std::string old_rest(300 * 1024, 'o');
  dir.Write("kfirewall.log", "old\r\n" + old_rest);
  dir.Write("pfirewall.log", "new\r\n");
  const auto reader = files.OpenTextFile(Backslashed(dir / "kfirewall.log"));
  EXPECT_EQ(reader->ReadLine(), "old");
  files.CopyFile(Backslashed(dir / "pfirewall.log"), Backslashed(dir / "kfirewall.log"));
  EXPECT_EQ(reader->ReadAll(), old_rest);
  EXPECT_EQ(dir.Read("kfirewall.log"), "new\r\n");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"kfirewall.log", "pfirewall.log"}));

  struct stat info {};
  ::stat((dir / "kfirewall.log").c_str(), &info);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0644 & ~mask);
}

TEST(PosixFiles, FailedCopyLeavesTheDestinationAndNoTemporaryFile) {
  TempFolder dir;
  PosixFileService files;
  dir.Write("kfirewall.log", "old");
  ::mkdir((dir / "folder").c_str(), 0755);
  const auto copy = [&](const std::string& from, const std::string& to) {
    return ErrorNumber([&] { files.CopyFile(dir / from, dir / to); });
  };
  EXPECT_EQ(copy("missing.log", "kfirewall.log"), kErrFileNotFound);
  EXPECT_EQ(copy("folder", "kfirewall.log"), kErrPathFileAccess);  // fails mid-copy
  EXPECT_EQ(copy("kfirewall.log", "folder"), kErrPathFileAccess);  // fails at the rename
  EXPECT_EQ(copy("kfirewall.log", "missing/copy"), kErrFileNotFound);
  EXPECT_EQ(dir.Read("kfirewall.log"), "old");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"folder", "kfirewall.log"}));
}

TEST(PosixFiles, CopiesLargeFilesAndFilesThatReportNoSize) {
  TempFolder dir;
  PosixFileService files;
  std::string large(3 * 1024 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i % 251);
  dir.Write("large", large);
  files.CopyFile(dir / "large", dir / "large copy");
  EXPECT_EQ(dir.Read("large copy"), large);
  // The kernel copies nothing from a /proc file: it reports size 0.
  files.CopyFile("/proc/self/cmdline", dir / "cmdline");
  EXPECT_EQ(dir.Read("cmdline"), TempFolder::Contents("/proc/self/cmdline"));
}

TEST(PosixFiles, OpenTextFileReadsButNeverCreates) {
  TempFolder dir;
  PosixFileService files;
  dir.Write("text", "a\r\nb\nc");
  const auto text = files.OpenTextFile(dir / "text");
  EXPECT_EQ(text->ReadLine(), "a");
  EXPECT_EQ(text->ReadAll(), "b\nc");
  EXPECT_TRUE(text->AtEndOfStream());
  const auto tail = files.OpenTextFile(dir / "text");
  EXPECT_EQ(tail->ReadTail(4), "\nb\nc");
  EXPECT_TRUE(tail->AtEndOfStream());
  EXPECT_EQ(files.OpenTextFile(dir / "text")->ReadTail(100), "a\r\nb\nc");
  EXPECT_EQ(ErrorNumber([&] { files.OpenTextFile(dir / "missing"); }), kErrFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { files.OpenTextFile(dir.path()); }), kErrPathFileAccess);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"text"});
}

}  // namespace
}  // namespace quennet
