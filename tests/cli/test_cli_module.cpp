#include <signal.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "platform/server_channel.h"
#include "support/run_command.h"
#include "support/server_guard.h"
#include "support/temp_env.h"

namespace kz::test {
namespace {

// The host without a display: message boxes become lines on stderr instead of windows.
class CliModuleTest : public TempEnvTest {
 protected:
  void SetUp() override {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      env_.SetVar(name, nullptr);
    }
  }
  void TearDown() override { guard_.StopAll(); }

  ServerGuard guard_;
};

// Register, start, query and message the server, pause it (a message it does not answer fails;
// that it is then dropped is the channel's own test), stop it, unregister.
TEST_F(CliModuleTest, RegisteredModuleStartsQueriesAndMessagesTheServer) {
  auto r = RunHost({"register"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  r = RunHost({"start-server"});  // through the registered module: no fallback note
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(platform::ServerListening("Datalog Server"));
  EXPECT_EQ(RunHost({"status"}).out, "2\n");
  EXPECT_EQ(RunHost({"set-status", "7", "--options", "PRODUCT=Citect"}).exit_code, 0);
  EXPECT_EQ(RunHost({"status", "--options", "product=citect"}).out, "7\n");
  EXPECT_EQ(RunHost({"message", "477"}).exit_code, 0);
  EXPECT_EQ(RunHost({"status"}).out, "3\n");

  const auto pid = platform::ServerProcessId("Datalog Server");
  ASSERT_TRUE(pid);
  guard_.Track(*pid);
  kill(*pid, SIGSTOP);
  r = RunHost({"message", "475"});
  kill(*pid, SIGCONT);
  EXPECT_EQ(std::tie(r.exit_code, r.err),
            std::make_tuple(1, std::string("kzdlogsrv: message 475: the datalog server is running "
                                           "but did not answer in time\n")));
  guard_.StopAll();
  r = RunHost({"message", "475"});
  EXPECT_EQ(std::tie(r.exit_code, r.err),
            std::make_tuple(1, std::string("kzdlogsrv: message 475: no datalog server is running\n")));
  r = RunHost({"status"});
  EXPECT_EQ(std::tie(r.exit_code, r.out), std::make_tuple(0, std::string("0\n")));
  EXPECT_EQ(RunHost({"unregister"}).exit_code, 0);
}

// Without a display, unregistered (the module beside the host is used, with a note), and with a
// channel path too long for a socket.
TEST_F(CliModuleTest, FailuresAndFallbacksAreNamedOnStderr) {
  auto r = RunHost({"configure"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(env_.windir() / "kzdlogrcv.cfg"));
  r = RunHost({"status"});
  EXPECT_EQ(std::tie(r.exit_code, r.out), std::make_tuple(0, std::string("0\n")));
  const auto beside = std::filesystem::canonical(BuildPath("bin/libkzdlogsrv.so")).string();
  EXPECT_EQ(r.err, "kzdlogsrv: Kzdlogsrv.DlogServer.1 is not registered; using " + beside + "\n");
  const auto deep = env_.Path(std::string(100, 'r'));
  std::filesystem::create_directories(deep);
  env_.SetVar("XDG_RUNTIME_DIR", deep.c_str());
  ASSERT_EQ(RunHost({"register"}).exit_code, 0);
  const std::string why = ": " + deep.string() +
                          "/kzdlogsrv/Datalog Server.sock: path too long for a socket (at most "
                          "107 bytes)\n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"start-server"}, {"message", "475"}}) {
    r = RunHost(args);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "kzdlogsrv: " + args[0] + (args.size() > 1 ? " " + args[1] : "") + why);
  }
}

}  // namespace
}  // namespace kz::test
