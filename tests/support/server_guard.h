// ServerGuard: ends every stand-in server a test started, even when the test fails. On
// destruction (or StopAll) it sends SIGTERM to the servers listening on both channels and to
// every process it was told about, waits for them to end, and uses SIGKILL after a grace time.
#pragma once

#include <sys/types.h>

#include <vector>

namespace kz::test {

class ServerGuard {
 public:
  ServerGuard() = default;
  ~ServerGuard() { StopAll(); }
  ServerGuard(const ServerGuard&) = delete;
  ServerGuard& operator=(const ServerGuard&) = delete;

  // A server process started directly by the test.
  void Track(pid_t pid) { pids_.push_back(pid); }
  // Ends them all; returns once each has gone.
  void StopAll();

 private:
  std::vector<pid_t> pids_;
};

}  // namespace kz::test
