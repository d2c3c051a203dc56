#include "platform/posix/process_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/posix/errno_error.h"
#include "platform/posix/file_descriptor.h"

namespace quennet {
namespace {

// The forked children call nothing but fork, exec, write and _exit: all that is
// safe between fork and exec.
[[noreturn]] void ReportAndExit(int report_fd, int error_number) {
  [[maybe_unused]] const ssize_t ignored = ::write(report_fd, &error_number, sizeof error_number);
  ::_exit(127);
}

// `report_fd` closes on a successful exec; a failed one writes its errno there. An
// `output_fd` of 0 or more becomes the program's standard output.
[[noreturn]] void ExecProgram(char* const* argv, int report_fd, int output_fd = -1) {
  if (output_fd >= 0 && ::dup2(output_fd, STDOUT_FILENO) < 0) ReportAndExit(report_fd, errno);
  ::execvp(argv[0], argv);
  ReportAndExit(report_fd, errno);
}

// Runs in the first child of a detached start: forks the program's process and ends
// at once, so the program becomes an orphan that init reaps, never our zombie.
[[noreturn]] void ForkProgram(char* const* argv, int report_fd) {
  const pid_t program = ::fork();
  if (program == 0) ExecProgram(argv, report_fd);
  if (program < 0) ReportAndExit(report_fd, errno);
  ::_exit(0);
}

// The child's wait status; nothing when it was reaped already, as happens when
// SIGCHLD comes in ignored.
std::optional<int> Reap(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return std::nullopt;
  }
  return status;
}

// Forks a child that runs the program, through a second child when `detached`, and
// returns once the program has been exec'd; throws when it could not be.
pid_t Start(const std::vector<std::string>& arguments, bool detached, int output_fd = -1) {
  if (arguments.empty()) throw ErrnoError(ENOENT, "start a command");
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw ErrnoError(errno, "open a pipe");
  const UniqueFd report(pipe_fds[0]);
  UniqueFd report_writer(pipe_fds[1]);
  const pid_t child = ::fork();
  if (child == 0) {
    detached ? ForkProgram(argv.data(), report_writer.get())
             : ExecProgram(argv.data(), report_writer.get(), output_fd);
  }
  if (child < 0) throw ErrnoError(errno, "start", arguments[0]);
  report_writer.Close();
  if (detached) Reap(child);

  int error_number = 0;
  // Blocks until the program has been exec'd (end of file) or has failed to be.
  if (ReadSome(report.get(), reinterpret_cast<char*>(&error_number), sizeof error_number) > 0) {
    if (!detached) Reap(child);
    throw ErrnoError(error_number, "start", arguments[0]);
  }
  return child;
}

}  // namespace

void StartDetached(const std::vector<std::string>& arguments) { Start(arguments, true); }

namespace {

int ExitStatus(pid_t child) {
  const std::optional<int> reaped = Reap(child);
  if (!reaped) throw ErrnoError(ECHILD, "wait for the command");
  const int status = *reaped;
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace

int StartAndWait(const std::vector<std::string>& arguments) {
  return ExitStatus(Start(arguments, false));
}

CommandOutput StartAndRead(const std::vector<std::string>& arguments, std::size_t limit) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw ErrnoError(errno, "open a pipe");
  const UniqueFd reader(pipe_fds[0]);
  UniqueFd writer(pipe_fds[1]);
  const pid_t child = Start(arguments, false, writer.get());
  writer.Close();
  CommandOutput result;
  char buffer[65536];
  while (const std::size_t got = ReadSome(reader.get(), buffer, sizeof buffer)) {
    if (result.output.size() + got > limit) {
      ::kill(child, SIGKILL);
      Reap(child);
      throw RuntimeError(kErrPathFileAccess,
                         "The command wrote more than " + std::to_string(limit) + " bytes");
    }
    result.output.append(buffer, got);
  }
  result.status = ExitStatus(child);
  return result;
}

}  // namespace quennet
