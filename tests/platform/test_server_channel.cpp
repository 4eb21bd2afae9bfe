#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "platform/server_channel.h"
#include "platform/system_dirs.h"
#include "support/scoped_user_id.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

constexpr const char* kTitle = "Datalog Server";

class ServerChannelTest : public test::TempEnvTest {
 protected:
  static std::unique_ptr<ServerChannel> Listen(std::string_view title = kTitle) {
    auto channel = ServerChannel::Listen(title);
    EXPECT_TRUE(channel) << channel.status().message();
    return channel ? std::move(*channel) : nullptr;
  }
};

// A socket of this test and the address of the channel's path.
std::pair<UniqueFd, sockaddr_un> Socket() {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strcpy(addr.sun_path, ServerChannelPath(kTitle)->c_str());
  return {UniqueFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)), addr};
}

// A socket of this test bound to the channel's path.
UniqueFd BoundSocket() {
  auto [fd, addr] = Socket();
  EXPECT_EQ(bind(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  return std::move(fd);
}

// Each title is a channel of its own.
TEST_F(ServerChannelTest, CodeReachesTheServerOfItsTitleAndIsAcknowledged) {
  EXPECT_FALSE(SendServerCode(kTitle, 0x475));
  EXPECT_FALSE(ServerProcessId(kTitle));
  const auto other = Listen("Citect Datalog Server");
  EXPECT_TRUE(ServerListening("Citect Datalog Server"));
  EXPECT_FALSE(ServerListening(kTitle));
  auto channel = Listen();
  std::uint32_t received = 0;
  std::thread server([&] {
    // The first client only looks (ServerListening), the second sends.
    for (int i = 0; i < 2; ++i) {
      auto request = channel->Accept(std::chrono::milliseconds(2000));
      if (!request) continue;
      received = request->code;
      ServerChannel::Acknowledge(*request);
    }
  });
  EXPECT_TRUE(ServerListening(kTitle));
  EXPECT_TRUE(SendServerCode(kTitle, 0x477));
  server.join();
  EXPECT_EQ(received, 0x477u);
  EXPECT_EQ(*ServerChannelPath(kTitle), *RuntimeDirectory() / "Datalog Server.sock");
}

// A live server refuses a second, and its socket goes when it ends; a socket file with nobody
// behind it, as a killed server leaves it, is replaced; a file that is not a socket is neither a
// server nor replaced.
TEST_F(ServerChannelTest, ListenTakesOnlyAPathNoLiveServerHolds) {
  auto first = Listen();
  const auto second = ServerChannel::Listen(kTitle);
  EXPECT_TRUE(second.status().Is(Status::Kind::kBusy));
  EXPECT_EQ(second.status().message(), "a server already runs as \"Datalog Server\"");
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(*ServerChannelPath(kTitle)));
  test::WriteFile(*ServerChannelPath(kTitle), "not a socket");
  EXPECT_FALSE(ServerListening(kTitle));
  EXPECT_FALSE(ServerChannel::Listen(kTitle));
  EXPECT_EQ(test::ReadFile(*ServerChannelPath(kTitle)), "not a socket");
  std::filesystem::remove(*ServerChannelPath(kTitle));
  BoundSocket();
  EXPECT_FALSE(ServerListening(kTitle));
  const auto channel = Listen();
  EXPECT_TRUE(ServerListening(kTitle));
}

// A client of the channel that sends `code` and stays connected.
UniqueFd ConnectAndSend(std::uint32_t code) {
  auto [fd, addr] = Socket();
  EXPECT_EQ(connect(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  EXPECT_EQ(send(fd.get(), &code, sizeof code, 0), static_cast<ssize_t>(sizeof code));
  return std::move(fd);
}

TEST_F(ServerChannelTest, RequestOfASenderThatGaveUpIsDropped) {
  auto channel = Listen();
  // The server is not accepting (stopped): the sender times out and reports a failure.
  EXPECT_FALSE(SendServerCode(kTitle, 0x477, std::chrono::milliseconds(50)));
  EXPECT_FALSE(channel->Accept(std::chrono::milliseconds(1000)));
  // A sender still waiting is served.
  const UniqueFd waiting = ConnectAndSend(0x475);
  const auto request = channel->Accept(std::chrono::milliseconds(1000));
  ASSERT_TRUE(request);
  EXPECT_EQ(request->code, 0x475u);
}

// Both ends check that the other is this user's: the server its peer, the sender the socket.
TEST_F(ServerChannelTest, PeerOfAnotherUserOrASocketOpenToOthersIsTurnedAway) {
  auto channel = Listen();
  const UniqueFd client = ConnectAndSend(0x477);
  {
    test::ScopedUserId other;
    EXPECT_FALSE(channel->Accept(std::chrono::milliseconds(1000)));
  }
  ASSERT_EQ(chmod(ServerChannelPath(kTitle)->c_str(), 0660), 0);
  EXPECT_FALSE(ServerListening(kTitle));
  EXPECT_FALSE(SendServerCode(kTitle, 0x475, std::chrono::milliseconds(50)));
}

TEST_F(ServerChannelTest, SocketOfAnotherUserIsNoServerAndIsNotReplaced) {
  if (geteuid() != 0) GTEST_SKIP() << "needs to give a file away";
  const auto path = *ServerChannelPath(kTitle);
  const UniqueFd foreign = BoundSocket();  // someone else's live server in our folder
  ASSERT_EQ(listen(foreign.get(), 4), 0);
  ASSERT_EQ(chown(path.c_str(), geteuid() + 1, static_cast<gid_t>(-1)), 0);
  EXPECT_FALSE(ServerListening(kTitle));
  EXPECT_FALSE(SendServerCode(kTitle, 0x475, std::chrono::milliseconds(50)));
  EXPECT_EQ(ServerChannel::Listen(kTitle).status().message(),
            path.string() + ": exists and is not a socket of this user");
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace kz::platform
