// The configure command on a real X server (Xvfb, Qt's xcb platform), answered from outside with
// xdotool as a person would: the host must show its window, end cleanly and save what it should.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "platform/process.h"
#include "support/run_command.h"
#include "support/temp_env.h"

extern char** environ;

namespace kz::test {
namespace {

// An Xvfb server on a free display for the life of the object.
class Xvfb {
 public:
  explicit Xvfb(const std::string& program) {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {program.c_str(), "-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                          "1280x1024x24",  nullptr};
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ) !=
        0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    // Xvfb writes its display number once it accepts clients.
    pollfd pfd{fds[0], POLLIN, 0};
    std::string number;
    char c;
    while (pid_ > 0 && poll(&pfd, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
      number += c;
    }
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~Xvfb() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

class ConfigureOnXTest : public TempEnvTest {
 protected:
  void SetUp() override {
    const auto xvfb = platform::SearchProgram("Xvfb");
    const auto xdotool = platform::SearchProgram("xdotool");
    if (!xvfb || !xdotool) {
      GTEST_SKIP() << "needs Xvfb and xdotool (apt-get install xvfb xdotool; scripts/deps does)";
    }
    xdotool_ = *xdotool;
    server_ = std::make_unique<Xvfb>(*xvfb);
    ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
    env_.SetVar("DISPLAY", server_->display().c_str());
    env_.SetVar("QT_QPA_PLATFORM", "xcb");
    env_.SetVar("WAYLAND_DISPLAY", nullptr);
    // Under the sanitizers: the X libraries keep their caches to the end; what matters here is
    // how the host ends. Leaks are checked in the tests that run in-process.
    env_.SetVar("ASAN_OPTIONS", "detect_leaks=0");
    WriteFile(cfg_, kConfig);
  }

  // Waits for the sheet's window, then presses `key` in it; the result of the search. (The key's
  // own result is no measure: the window may be gone before xdotool releases the key.) The wait
  // is long: a first start under the sanitizers, on a busy machine, has taken over 20 s.
  std::future<CommandResult> PressInSheet(const std::string& key) {
    return std::async(std::launch::async, [this, key] {
      CommandResult found = RunCommand(
          {xdotool_, "search", "--sync", "--onlyvisible", "--name", "^Configure Datalog Server$"},
          60000);
      if (found.exit_code == 0) {
        RunCommand({xdotool_, "key", "--window", found.out.substr(0, found.out.find('\n')), key});
      }
      return found;
    });
  }

  // One UDP port, so that OK asks nothing; blanks and a comment the writer would not keep.
  static constexpr const char* kConfig =
      "; by hand\n[general]\nmode = 0\n\n[ports]\n0=UDP1658\n\n[transfers]\n0=xfer0\n[xfer0]\n"
      "new file mode=1\nstation number=12\nID=1\ndata file=/srv/a.csv\n";

  std::string xdotool_;
  std::unique_ptr<Xvfb> server_;
  std::filesystem::path cfg_ = env_.Path("site.cfg");
};

// OK writes the file back (its comment and blanks gone; what it holds is the sheet's own test) and
// the host ends cleanly: the command-line host, and one that unloads the module after its call.
// That Escape cancels is the view's test, and that a cancelled sheet saves nothing the module's.
class ConfigureHostTest : public ConfigureOnXTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ConfigureHostTest, OkSavesAndTheHostEndsCleanly) {
  auto answer = PressInSheet("Return");
  const std::string file = "File=" + cfg_.string();
  const auto r = GetParam() ? RunCommand({BuildPath("bin/kz_unloading_host").string(),
                                          BuildPath("bin/libkzdlogsrv.so").string(), file},
                                         90000)
                            : RunHost({"configure", "--options", file}, 90000);
  const auto found = answer.get();
  ASSERT_EQ(found.exit_code, 0) << "the window was not found; the host's exit status "
                                << r.exit_code << ": " << r.err;
  EXPECT_EQ(r.exit_code, 0) << "exit status " << r.exit_code << ": " << r.err;
  EXPECT_NE(ReadFile(cfg_), kConfig);
}

INSTANTIATE_TEST_SUITE_P(Configure, ConfigureHostTest, ::testing::Bool(), [](const auto& info) {
  return info.param ? "UnloadingHost" : "CommandLineHost";
});

}  // namespace
}  // namespace kz::test
