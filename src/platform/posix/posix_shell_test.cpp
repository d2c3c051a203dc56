#include "platform/posix/posix_shell.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "support/posix_test_support.h"

namespace quennet {
namespace {

// What arrives in the FIFO until its writer closes it. The bound only keeps a program
// that never starts from hanging the test.
std::string ReadFifo(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  std::string text;
  char buffer[4096];
  pollfd ready{fd, POLLIN, 0};
  for (ssize_t got = 1; got != 0 && ::poll(&ready, 1, 20000) > 0;) {
    got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return text;
}

bool HasChildren() { return !(::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD); }

TEST(PosixShell, StartsTheProgramWithItsArgumentsUninterpreted) {
  TempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  // sh writes each of its arguments as <argument> into the FIFO, its $0.
  const std::string command_line =
      "sh -c \"printf '<%s>' \\\"$@\\\" > \\\"$0\\\"\" \"" + (dir / "fifo") +
      R"(" "two words" "say \"hi\"" $HOME ; a|b `id` * && > out %PATH% 'single')";
  PosixShell shell;
  for (auto start : {&PosixShell::run, &PosixShell::Exec}) {
    (shell.*start)(command_line);
    EXPECT_FALSE(HasChildren());  // nothing of ours to reap, now or later
    EXPECT_EQ(ReadFifo(dir / "fifo"),
              R"(<two words><say "hi"><$HOME><;><a|b><`id`><*><&&><>><out><%PATH%><'single'>)");
    EXPECT_FALSE(HasChildren());
  }
  EXPECT_EQ(dir.Names(), std::set<std::string>{"fifo"});
}

TEST(PosixShell, ACommandThatCannotStartThrowsAndOneThatRanGivesItsStatus) {
  TempFolder dir;
  dir.Write("plain", "#!/bin/sh\n");
  PosixShell shell;
  EXPECT_EQ(ErrorNumber([&] { shell.run("quennet-no-such-program /L"); }), kErrFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { shell.run(" "); }), kErrFileNotFound);
  EXPECT_EQ(ErrorNumber([&] { shell.Exec(dir / "plain"); }), kErrPermissionDenied);
  // Run and wait, and run and read, give the exit status.
  EXPECT_EQ(shell.RunAndWait("sh -c \"exit 3\""), 3);
  EXPECT_EQ(shell.RunAndWait("sh -c \"kill -9 $$\""), 128 + 9);
  EXPECT_EQ(ErrorNumber([&] { shell.RunAndWait("quennet-no-such-program"); }), kErrFileNotFound);
  // Standard output is read whole, standard error is not; past the limit the command ends.
  const CommandOutput read = shell.RunAndRead("sh -c \"printf 'a\\0b'; echo err >&2; exit 4\"", 3);
  EXPECT_EQ(std::to_string(read.status) + read.output, std::string("4a\0b", 4));
  EXPECT_EQ(ErrorNumber([&] { shell.RunAndRead("yes", 1 << 20); }), kErrPathFileAccess);
  EXPECT_FALSE(HasChildren());
}

TEST(PosixShell, ExpandsDefinedEnvironmentReferencesOnly) {
  ::setenv("QUENNET_TEST_WINDIR", "/srv/windows", 1);
  ::unsetenv("QUENNET_TEST_UNSET");
  EXPECT_EQ(PosixShell().ExpandEnvironmentStrings(
                "%QUENNET_TEST_WINDIR%\\x %QUENNET_TEST_UNSET% %quennet_test_windir%"),
            "/srv/windows\\x %QUENNET_TEST_UNSET% %quennet_test_windir%");
}

}  // namespace
}  // namespace quennet
