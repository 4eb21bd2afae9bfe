#include "platform/server_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/system_dirs.h"
#include "platform/user_id.h"

namespace kz::platform {
namespace {

bool MakeAddress(const std::filesystem::path& path, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.empty() || text.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, text.data(), text.size());
  return true;
}

bool PeerIsUs(int fd, pid_t* pid = nullptr) {
  ucred cred{};
  socklen_t len = sizeof cred;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  if (pid) *pid = cred.pid;
  return cred.uid == CurrentUserId();
}

void SetTimeouts(int fd, std::chrono::milliseconds timeout) {
  timeval tv{};
  tv.tv_sec = static_cast<time_t>(timeout.count() / 1000);
  tv.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

// A server of this user makes its socket file 0600; one of another user, or open to others, was
// not made by it.
bool IsPrivateSocket(const struct stat& st) {
  return S_ISSOCK(st.st_mode) && st.st_uid == CurrentUserId() && (st.st_mode & 077) == 0;
}

// Connects to a title's server when its socket file and its process are this user's.
UniqueFd Connect(std::string_view title, std::chrono::milliseconds timeout, pid_t* pid = nullptr) {
  const auto path = ServerChannelPath(title);
  sockaddr_un addr;
  if (!path || !MakeAddress(*path, addr)) return {};
  struct stat st;
  if (lstat(path->c_str(), &st) != 0 || !IsPrivateSocket(st)) return {};
  UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.valid()) return {};
  // connect() on a full backlog blocks for the send timeout.
  SetTimeouts(fd.get(), timeout);
  if (connect(fd.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) return {};
  if (!PeerIsUs(fd.get(), pid)) return {};
  return fd;
}

// Waits for `fd` to become readable until `timeout`; false on timeout or error.
bool WaitReadable(int fd, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    const int rc = poll(&p, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
    if (rc > 0) return true;
    if (rc == 0 || errno != EINTR) return false;
  }
}

// Reads exactly `size` bytes, each wait bounded by the socket's receive timeout.
bool ReadAll(int fd, void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = recv(fd, p, size, 0);
    if (n > 0) {
      p += n;
      size -= static_cast<std::size_t>(n);
    } else if (n == 0 || errno != EINTR) {
      return false;
    }
  }
  return true;
}

// True when the client has closed its end: it gave up waiting for the acknowledgement.
bool PeerHasGone(int fd) {
  pollfd p{fd, POLLRDHUP, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

}  // namespace

Result<std::filesystem::path> ServerChannelPath(std::string_view title) {
  const auto dir = RuntimeDirectory();
  if (!dir) return dir.status();
  std::filesystem::path path = *dir / (std::string(title) + ".sock");
  sockaddr_un addr;
  if (!MakeAddress(path, addr)) {
    return Status::Error(Status::Kind::kInvalidArgument, path,
                         "path too long for a socket (at most " +
                             std::to_string(sizeof addr.sun_path - 1) + " bytes)");
  }
  return path;
}

bool ServerListening(std::string_view title) {
  return Connect(title, kServerReplyTimeout).valid();
}

std::optional<pid_t> ServerProcessId(std::string_view title) {
  pid_t pid = 0;
  if (!Connect(title, kServerReplyTimeout, &pid).valid()) return std::nullopt;
  return pid;
}

bool SendServerCode(std::string_view title, std::uint32_t code, std::chrono::milliseconds timeout) {
  UniqueFd fd = Connect(title, timeout);
  if (!fd.valid()) return false;
  if (send(fd.get(), &code, sizeof code, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof code)) {
    return false;
  }
  if (!WaitReadable(fd.get(), timeout)) return false;
  std::uint8_t ack = 0;
  return ReadAll(fd.get(), &ack, 1) && ack == kServerAck;
}

Result<std::unique_ptr<ServerChannel>> ServerChannel::Listen(std::string_view title) {
  const auto found = ServerChannelPath(title);
  if (!found) return found.status();
  const std::filesystem::path& path = *found;
  sockaddr_un addr;
  MakeAddress(path, addr);
  const std::filesystem::path lock_path = path.parent_path() / (std::string(title) + ".lock");
  UniqueFd lock(open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!lock.valid()) return Status::FromErrno(errno, lock_path);
  if (flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK) return Status::FromErrno(errno, lock_path);
    return Status::Error(Status::Kind::kBusy, {},
                         "a server already runs as \"" + std::string(title) + "\"");
  }
  struct stat st;
  if (lstat(path.c_str(), &st) == 0) {
    // Holding the lock, a socket of ours is a leftover of a server that died.
    if (!S_ISSOCK(st.st_mode) || st.st_uid != CurrentUserId()) {
      return Status::Error(Status::Kind::kNotOwned, path,
                           "exists and is not a socket of this user");
    }
    if (unlink(path.c_str()) != 0 && errno != ENOENT) return Status::FromErrno(errno, path);
  }
  UniqueFd listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!listener.valid()) return Status::FromErrno(errno, path);
  // The runtime folder is already private; the socket's mode keeps it so if it is ever moved.
  fchmod(listener.get(), 0600);
  if (bind(listener.get(), reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listener.get(), 16) != 0 || lstat(path.c_str(), &st) != 0) {
    return Status::FromErrno(errno, path);
  }
  chmod(path.c_str(), 0600);
  return std::make_unique<ServerChannel>(Made{}, std::move(lock), std::move(listener), path,
                                         st.st_ino);
}

ServerChannel::~ServerChannel() {
  struct stat st;
  // Only our own socket file: a replacement made by someone else stays.
  if (lstat(path_.c_str(), &st) == 0 && st.st_ino == inode_) unlink(path_.c_str());
}

std::optional<ServerChannel::Request> ServerChannel::Accept(std::chrono::milliseconds timeout) {
  Request request;
  request.connection.reset(accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (!request.connection.valid()) return std::nullopt;
  if (!PeerIsUs(request.connection.get())) return std::nullopt;
  SetTimeouts(request.connection.get(), timeout);
  if (!ReadAll(request.connection.get(), &request.code, sizeof request.code)) return std::nullopt;
  // A server that was stopped finds requests whose senders were told long ago that it did not
  // answer: carrying them out now would do what was reported as not done.
  if (PeerHasGone(request.connection.get())) return std::nullopt;
  return request;
}

void ServerChannel::Acknowledge(const Request& request) {
  send(request.connection.get(), &kServerAck, 1, MSG_NOSIGNAL);
}

}  // namespace kz::platform
