#include "logging/log_files.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_host.h"

namespace quennet {
namespace {

TEST(LogFiles, LinesGoBesideTheProgramOrToAWholePathAndAreLostQuietly) {
  FakeHost fake;
  LogData(fake.host, "velt.log", "first");
  LogData(fake.host, "D:\\elsewhere\\error.log", "x");  // a name with a backslash is the whole path
  DebugLog(fake.host, 1, "one is not True");
  DebugLog(fake.host, kTrue, "on");
  fake.files.Fail(FakeFileService::Op::AppendLine, "C:\\Quennet\\Debug.log");
  DebugLog(fake.host, kTrue, "lost");
  LogData(fake.host, "Debug.log", "lost too");
  EXPECT_EQ(fake.files.changes, (std::vector<std::string>{"AppendLine C:\\Quennet\\velt.log",
                                                          "AppendLine D:\\elsewhere\\error.log",
                                                          "AppendLine C:\\Quennet\\Debug.log"}));
}

}  // namespace
}  // namespace quennet
