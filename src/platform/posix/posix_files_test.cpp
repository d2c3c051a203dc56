#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "reading/line_reader.h"
#include "support/posix_test_support.h"

namespace quennet {
namespace {

TEST(PosixFiles, FoldersAndFilesByBackslashedPathsWithTheirErrorNumbers) {
  TempFolder dir;
  PosixFileService files;
  const std::string root = dir.path();  // Windows paths below it
  for (const char* line : {"first", "", "two\r\nlines"}) files.AppendLine(root + "\\a.log", line);
  EXPECT_EQ(dir.Read("a.log"), "first\r\n\r\ntwo\r\nlines\r\n");
  EXPECT_TRUE(files.FileExists(root + "\\a.log") && !files.FileExists(root));
  EXPECT_EQ(ErrorNumber([&] { files.AppendLine(root + "\\a.log\\sub", "x"); }), kErrPathNotFound);
  EXPECT_EQ(ErrorNumber([&] { files.OpenTextFile(root); }), kErrPathFileAccess);
  // A failure names its operation, its path and the system's message.
  const RuntimeError open = Failure([&] { files.OpenTextFile(root + "\\missing"); });
  EXPECT_EQ(FatalReport(open), "Run-time error '53': File not found");
  EXPECT_EQ(open.Detail(), "open " + root + "/missing: No such file or directory");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"a.log"});
}

TEST(PosixFiles, CopyReplacesTheDestinationWhileAReaderKeepsTheOldFile) {
  TempFolder dir;
  PosixFileService files;
  // Longer than one read, so the reader still reads the old file after the copy.
  const std::string old_rest(300 * 1024, 'o');
  dir.Write("kfirewall.log", "old\r\n" + old_rest);
  dir.Write("pfirewall.log", "new\r\n");
  const auto reader = files.OpenTextFile(dir.path() + "\\kfirewall.log");
  LineReader lines(*reader);
  std::string line;
  EXPECT_TRUE(lines.ReadLine(line));
  EXPECT_EQ(line, "old");
  files.CopyFile(dir.path() + "\\pfirewall.log", dir.path() + "\\kfirewall.log");
  EXPECT_EQ(lines.ReadAll(), old_rest);
  EXPECT_EQ(dir.Read("kfirewall.log"), "new\r\n");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"kfirewall.log", "pfirewall.log"}));
}

// The live log may be a link; the snapshot and the log files never are.
TEST(PosixFiles, LinksAreNeitherReadNorWrittenThroughButACopyFollowsItsSource) {
  TempFolder dir;
  PosixFileService files;
  dir.Write("target", "kept");
  for (const char* link : {"read", "append", "dangling", "from", "to"}) {
    std::filesystem::create_symlink(
        std::string(link) == "dangling" ? dir / "nowhere" : dir / "target", dir / link);
  }
  EXPECT_NE(ErrorNumber([&] { files.OpenTextFile(dir / "read"); }), 0);
  EXPECT_NE(ErrorNumber([&] { files.AppendLine(dir / "append", "line"); }), 0);
  EXPECT_NE(ErrorNumber([&] { files.AppendLine(dir / "dangling", "line"); }), 0);
  files.CopyFile(dir / "from", dir / "copy");
  EXPECT_EQ(dir.Read("copy"), "kept");
  files.CopyFile(dir / "target", dir / "to");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "to"));
  EXPECT_EQ(files.LinkTarget(dir.path() + "\\dangling"), dir / "nowhere");
  EXPECT_EQ(files.LinkTarget(dir / "target"), std::nullopt);
  files.RemoveFile(dir / "read");
  files.RemoveFile(dir / "read");
  EXPECT_EQ(dir.Read("target"), "kept");
  EXPECT_EQ(dir.Names(),
            (std::set<std::string>{"append", "copy", "dangling", "from", "target", "to"}));
}

TEST(PosixFiles, OnlyCopiesOfProcessesThatNoLongerRunAreStale) {
  TempFolder dir;
  PosixFileService files;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string dead = "kfirewall.log." + std::to_string(child) + ".tmp";
  const std::string mine = "kfirewall.log." + std::to_string(::getpid()) + ".tmp";
  const std::string lookalike = "kfirewall.log_" + std::to_string(child) + ".tmp";
  const std::set<std::string> kept = {mine, lookalike, "kfirewall.log.x.tmp", "other.log.1.tmp"};
  for (const std::string& name : kept) dir.Write(name, "");
  dir.Write(dead, "");
  files.RemoveStaleCopies(dir / "kfirewall.log");
  EXPECT_EQ(dir.Names(), kept);
}

}  // namespace
}  // namespace quennet
