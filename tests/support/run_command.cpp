#include "support/run_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace kz::test {

std::filesystem::path BuildPath(const std::string& relative) {
  // CTest sets KZ_BUILD_DIR; a test program run by hand falls back on the tree it was built in.
  const char* dir = std::getenv("KZ_BUILD_DIR");
  return std::filesystem::path(dir && *dir ? dir : KZ_TEST_BUILD_DIR) / relative;
}

std::filesystem::path SourcePath(const std::string& relative) {
  return std::filesystem::path(KZ_TEST_SOURCE_DIR) / relative;
}

CommandResult RunCommand(const std::vector<std::string>& argv, int timeout_ms) {
  CommandResult result;
  int out_pipe[2] = {-1, -1}, err_pipe[2] = {-1, -1};
  if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) {
    for (int fd : {out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) close(fd);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (rc != 0) {
    result.err = "cannot run " + argv[0] + ": " + std::strerror(rc);
    ADD_FAILURE() << result.err << " (is it built? KZ_BUILD_DIR picks another build tree)";
  }
  if (rc == 0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open_fds = 2;
    bool timed_out = false;
    while (open_fds > 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
      if (left <= 0) {
        timed_out = true;
        break;
      }
      if (poll(fds, 2, static_cast<int>(left)) < 0) break;
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char buf[4096];
        const ssize_t n = read(fds[i].fd, buf, sizeof buf);
        if (n > 0) {
          sinks[i]->append(buf, static_cast<std::size_t>(n));
        } else {
          fds[i].fd = -1;
          --open_fds;
        }
      }
    }
    if (timed_out) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!timed_out && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  }
  close(out_pipe[0]);
  close(err_pipe[0]);
  return result;
}

CommandResult RunHost(const std::vector<std::string>& args, int timeout_ms) {
  std::vector<std::string> argv{BuildPath("bin/kzdlogsrv").string()};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunCommand(argv, timeout_ms);
}

}  // namespace kz::test
