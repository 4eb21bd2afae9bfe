#include "support/server_guard.h"

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "platform/server_channel.h"

namespace kz::test {
namespace {

// Our own child is reaped; a process of another parent is gone once kill(0) fails.
bool Ended(pid_t pid) {
  if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
  return kill(pid, 0) != 0;
}

void Stop(pid_t pid) {
  if (pid <= 0 || Ended(pid)) return;
  kill(pid, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!Ended(pid)) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

void ServerGuard::StopAll() {
  for (const char* title : {"Datalog Server", "Citect Datalog Server"}) {
    if (auto pid = platform::ServerProcessId(title)) pids_.push_back(*pid);
  }
  for (pid_t pid : pids_) Stop(pid);
  pids_.clear();
}

}  // namespace kz::test
