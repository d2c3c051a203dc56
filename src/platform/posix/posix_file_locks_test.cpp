#include "platform/posix/posix_file_locks.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/posix_test_support.h"

namespace quennet {
namespace {

TEST(PosixFileLocks, AKilledHolderLetsGoAndOnlyAPlainFileIsLocked) {
  TempFolder dir;
  PosixFileLocks locks;
  const std::string path = dir.path() + "\\state";
  const pid_t child = ::fork();
  if (child == 0) {
    const auto held = locks.Lock(path);
    held->Write("child");
    ::kill(::getpid(), SIGKILL);
  }
  ::waitpid(child, nullptr, 0);
  {
    const auto held = locks.Lock(path);  // waits for ever if the killed holder kept it
    EXPECT_EQ(held->Read(), "child");
    held->Write("x");
    EXPECT_EQ(held->Read(), "x");
    EXPECT_EQ(dir.Read("state"), "x");
  }
  std::filesystem::create_symlink(dir / "state", dir / "link");
  std::filesystem::create_directory(dir / "folder");
  ::mkfifo((dir / "fifo").c_str(), 0600);
  for (const char* name : {"link", "folder", "fifo"}) {
    EXPECT_NE(ErrorNumber([&] { locks.Lock(dir / name); }), 0) << name;
  }
}

}  // namespace
}  // namespace quennet
