// The server channel: how the module finds the datalog server's window and sends it command
// messages. Each window title ("Datalog Server", "Citect Datalog Server") is a Unix-domain socket
// "<title>.sock" in RuntimeDirectory(); the server that owns it also holds an exclusive flock on
// "<title>.lock" there for as long as it runs.
//
// A message is the 32-bit code in machine byte order; the server answers each with one byte
// (kAck) once it has handled it. Both sides trust only this user: a socket file of someone else or
// open to others, or a peer process of another user (SO_PEERCRED), counts as no server / is
// turned away.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/status.h"
#include "platform/unique_fd.h"

namespace kz::platform {

inline constexpr std::uint8_t kServerAck = 0x06;
inline constexpr std::chrono::milliseconds kServerReplyTimeout{5000};

// The socket path of a title, or why the title can have no channel at all (no private runtime
// folder, a path longer than a socket address holds).
Result<std::filesystem::path> ServerChannelPath(std::string_view title);

// FindWindowA: true when a server of this user listens on the title's channel.
bool ServerListening(std::string_view title);

// The process id of the server listening on the title's channel, if any.
std::optional<pid_t> ServerProcessId(std::string_view title);

// SendMessageA: sends `code` and waits up to `timeout` for the acknowledgement. False when no
// server listens, or it did not acknowledge in time (a hung server cannot hang the caller).
bool SendServerCode(std::string_view title, std::uint32_t code,
                    std::chrono::milliseconds timeout = kServerReplyTimeout);

// The server's end of a channel. Owning it makes the server findable; destroying it removes the
// socket file (the lock file stays, so that two servers starting at once never both win).
class ServerChannel {
 public:
  // Takes the channel of `title`; kBusy when a live server owns it already. A socket file left by
  // a server that died is replaced.
  static Result<std::unique_ptr<ServerChannel>> Listen(std::string_view title);
  ~ServerChannel();
  ServerChannel(const ServerChannel&) = delete;
  ServerChannel& operator=(const ServerChannel&) = delete;

  // Readable (poll) when a client is waiting.
  int fd() const { return listener_.get(); }

  struct Request {
    UniqueFd connection;
    std::uint32_t code = 0;
  };
  // Accepts one waiting client and reads its code, waiting at most `timeout` for it. nullopt for
  // a client that only looked for the server, sent too little, belongs to another user, or has
  // gone since it sent (it stopped waiting for the acknowledgement and reported a failure).
  std::optional<Request> Accept(std::chrono::milliseconds timeout);
  // Tells the client its message was handled.
  static void Acknowledge(const Request& request);

 private:
  // Only Listen makes one.
  struct Made {};

 public:
  ServerChannel(Made, UniqueFd lock, UniqueFd listener, std::filesystem::path path, ino_t inode)
      : lock_(std::move(lock)),
        listener_(std::move(listener)),
        path_(std::move(path)),
        inode_(inode) {}

 private:
  UniqueFd lock_;
  UniqueFd listener_;
  std::filesystem::path path_;
  ino_t inode_;
};

}  // namespace kz::platform
