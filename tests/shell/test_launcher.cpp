#include <thread>

#include "app_fixture.h"
#include "platform/server_channel.h"
#include "platform/tick.h"
#include "support/run_command.h"
#include "support/server_guard.h"

namespace kz::shell {
namespace {

using platform::AppProfile;
using test::WriteFile;
using Box = test::ScriptedUi::Box;

class LauncherTest : public AppTest {
 protected:
  // A program that records that it ran, and as which path.
  std::filesystem::path WriteRecorder(const std::filesystem::path& path) {
    test::WriteRecorder(path, "printf '%s' \"$0\"", Record());
    return path;
  }
  std::filesystem::path Record() const { return env_.Path("ran"); }
  std::string WhatRan() const { return test::WaitForFile(Record()); }
  void SetPath32(const std::string& dir) {
    WriteFile(env_.windir() / "velmora.ini", "[Installation Directory]\nPath32=" + dir + "\n");
  }
};

// The registry's path wins, started whole despite blanks; then the tool's programs folder of the
// edition (another keyword makes it the standard edition; a trailing slash keeps both slashes);
// then the search path.
TEST_F(LauncherTest, ServerIsFoundByRegistryToolFolderOrSearchPath) {
  const std::string tool = env_.Path("tool").string();
  const std::string registered = env_.Path("Program Files/kz server.exe").string();
  const struct {
    std::string registry, path32;
    const char* options;
    std::string ran;
  } cases[] = {
      {registered, tool, "product=citect", registered},
      {"", tool, "Product=CITECT", tool + "/programs/kzcitectsrv.exe"},
      {"", tool + "/", "product=citect page=scheduled_xfers", tool + "//programs/kzdlogrcv.exe"},
      {"", "", "", (env_.windir() / "kzdlogrcv.exe").string()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ran);
    std::filesystem::remove(Record());
    WriteRecorder(c.ran);
    AppProfile::WriteString("settings", "server path", c.registry);
    if (c.path32.empty()) {
      std::filesystem::remove(env_.windir() / "velmora.ini");
    } else {
      SetPath32(c.path32);
    }
    EXPECT_EQ(app_->LaunchServer(c.options), 0);
    EXPECT_EQ(WhatRan(), c.ran);
  }
  EXPECT_TRUE(ui_.boxes.empty());
}

// Not found names the standard server in every edition; a wrong tool folder fails the start.
TEST_F(LauncherTest, ServerNotFoundOrNotRunIsReportedWithoutWaiting) {
  env_.SetVar("PATH", env_.Path("empty").c_str());
  EXPECT_EQ(app_->LaunchServer("product=citect"), -1);
  SetPath32(env_.Path("no tool here").string());
  EXPECT_EQ(app_->LaunchServer(""), -1);
  EXPECT_EQ(ui_.boxes,
            (std::vector<Box>{{"Failed to locate kzdlogrcv.exe in search paths.", "Error"},
                              {"Failed to run the datalog server.", "Error"}}));
  EXPECT_TRUE(ui_.pumps.empty());
}

// Start-up wrote the missing settings with their defaults. The first pump returns early, after
// 600 ms, as it does when an event arrives; a zero init time returns right after the start.
TEST_F(LauncherTest, WaitPumpsEventsUntilTheInitTimeHasPassedAcrossTheWrap) {
  EXPECT_EQ(AppProfile::GetInt("settings", "server init time ms", -5), 1500);
  EXPECT_EQ(AppProfile::GetString("settings", "server path", "?"), "");
  AppProfile::WriteString("settings", "server path", WriteRecorder(env_.Path("srv.exe")).string());
  const std::uint32_t start = ui_.now;
  ui_.during_pump = {[this] { ui_.now -= 900; }};
  EXPECT_EQ(app_->LaunchServer(""), 0);
  EXPECT_EQ(ui_.pumps, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(1500),
                                                               std::chrono::milliseconds(900)}));
  EXPECT_GE(static_cast<std::int32_t>(ui_.now - start), 1500);
  AppProfile::WriteInt("settings", "server init time ms", 0);
  app_->ExitInstance();
  app_->InitInstance();
  ui_.pumps.clear();
  EXPECT_EQ(app_->LaunchServer(""), 0);
  EXPECT_TRUE(ui_.pumps.empty());
}

// The stand-in server for real, on a clock that stops waiting once the server listens.
class ServerStartTest : public test::TempEnvTest {
 protected:
  class WaitingUi : public test::ScriptedUi {
   public:
    void PumpEvents(std::chrono::milliseconds duration) override {
      ScriptedUi::PumpEvents(duration);
      std::this_thread::sleep_for(std::min(duration, std::chrono::milliseconds(20)));
    }
  };

  void SetUp() override {
    AppProfile::WriteString("settings", "server path",
                            test::BuildPath("bin/kzdlogrcv.exe").string());
    AppProfile::WriteInt("settings", "server init time ms", 20000);
    app_ = std::make_unique<CKzdlogsrvApp>(ui_, "", nullptr, [this] {
      // Ends the start-up wait as soon as a server listens.
      if (!up_ && (platform::ServerListening("Datalog Server") ||
                   platform::ServerListening("Citect Datalog Server"))) {
        up_ = true;
      }
      return platform::GetTickCount() + (up_ ? 30000u : 0u);
    });
    app_->InitInstance();
  }
  void TearDown() override {
    guard_.StopAll();
    app_->ExitInstance();
  }

  WaitingUi ui_;
  bool up_ = false;
  std::unique_ptr<CKzdlogsrvApp> app_;
  test::ServerGuard guard_;
};

// The host's tests run the server through start, messages and stop; here, what StartServer
// decides from the window and the status word it finds, and how the server ends on 0x478.
TEST_F(ServerStartTest, FoundServerIsStartedOnlyWhenItsWordSaysStopped) {
  ASSERT_EQ(app_->StartServer(""), 0);
  EXPECT_TRUE(ui_.boxes.empty()) << ui_.boxes.front().text;
  EXPECT_TRUE(app_->FindServerWindow(""));
  EXPECT_FALSE(app_->FindServerWindow("product=citect"));
  // Found with a status other than 0: no second launch (a broken path would show), just 0x476.
  AppProfile::WriteString("settings", "server path", "/nonexistent/kzdlogrcv.exe");
  EXPECT_EQ(app_->SendServerMessage("", kMsgServer477), 0);
  EXPECT_EQ(app_->StartServer(""), 0);
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(app_->GetServerStatus(""), 2);
  // Found but with status 0: the launcher runs again.
  app_->SetServerStat("", 0);
  EXPECT_EQ(app_->StartServer(""), -1);
  EXPECT_EQ(ui_.boxes.at(0).text, "Failed to run the datalog server.");
  // 0x478 ends the stand-in: by its acknowledgement, status 0 and no window.
  EXPECT_EQ(app_->SendServerMessage("", kMsgServer478), 0);
  EXPECT_EQ(app_->GetServerStatus(""), 0);
  EXPECT_FALSE(app_->FindServerWindow(""));
  // The other edition's server is found by its own title only.
  const auto citect = platform::ServerChannel::Listen("Citect Datalog Server");
  EXPECT_TRUE(app_->FindServerWindow("PRODUCT=citect")) << citect.status().message();
  EXPECT_FALSE(app_->FindServerWindow(""));
}

}  // namespace
}  // namespace kz::shell
