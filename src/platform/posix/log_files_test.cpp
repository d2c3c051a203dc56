// The log files on a real folder, through the POSIX file service.
#include "logging/log_files.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/test_support.h"

namespace quennet {
namespace {

struct RealLogFolder {
  TempFolder folder;
  PosixFileService files;
  FakeHost fake;
  Host host{files, fake.shell, fake.clock, fake.registry, fake.version, folder.path()};
};

TEST(LogFiles, AppendsCrLfLinesAndCreatesTheFileWhenMissing) {
  RealLogFolder real;
  EXPECT_EQ(LogData(real.host, "velt.log", "first"), 0);
  EXPECT_EQ(LogData(real.host, "velt.log", ""), 0);
  EXPECT_EQ(LogData(real.host, "velt.log", "two\r\nlines"), 0);
  EXPECT_EQ(real.folder.Read("velt.log"), "first\r\n\r\ntwo\r\nlines\r\n");

  // A name with a backslash is the whole path.
  std::filesystem::create_directory(real.folder / "elsewhere");
  EXPECT_EQ(LogData(real.host, real.folder.path() + "\\elsewhere\\error.log", "x"), 0);
  EXPECT_EQ(real.folder.Read("elsewhere/error.log"), "x\r\n");
}

TEST(LogFiles, TraceLinesOnlyWhileTheSwitchIsTrue) {
  RealLogFolder real;
  DebugLog(real.host, 0, "off");
  DebugLog(real.host, 1, "one is not True");
  EXPECT_EQ(real.folder.Names(), std::set<std::string>{});
  DebugLog(real.host, kTrue, "on");
  EXPECT_EQ(real.folder.Read("Debug.log"), "on\r\n");
}

TEST(LogFiles, ALineThatCannotBeWrittenIsLostQuietly) {
  RealLogFolder real;
  real.host.program_folder = real.folder / "missing";
  EXPECT_EQ(LogData(real.host, "error.log", "lost"), kErrFileNotFound);
  DebugLog(real.host, kTrue, "lost too");
  EXPECT_EQ(real.folder.Names(), std::set<std::string>{});
}

}  // namespace
}  // namespace quennet
