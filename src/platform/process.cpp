#include "platform/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/system_dirs.h"

extern char** environ;

namespace kz::platform {
namespace {

std::mutex g_children_mutex;
std::vector<pid_t> g_children;

// A started server is not waited for, but must not stay a zombie for the host's lifetime.
void ReapEndedChildren() {
  std::lock_guard lock(g_children_mutex);
  std::erase_if(g_children, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool IsExecutableFile(const std::filesystem::path& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<pid_t> StartDetached(const std::string& path) {
  ReapEndedChildren();
  if (path.empty()) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attr;
  if (posix_spawn_file_actions_init(&actions) != 0) return std::nullopt;
  if (posix_spawnattr_init(&attr) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return std::nullopt;
  }
  for (int fd = 0; fd <= 2; ++fd) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = -1;
  // glibc reports a failed exec as the spawn's result, so a path that cannot run is an error here.
  const int rc = posix_spawn(&pid, path.c_str(), &actions, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return std::nullopt;
  std::lock_guard lock(g_children_mutex);
  g_children.push_back(pid);
  return pid;
}

std::filesystem::path HostProgramDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path();
}

std::optional<std::string> SearchProgram(std::string_view name) {
  if (name.empty()) return std::nullopt;
  std::vector<std::filesystem::path> folders;
  if (auto host = HostProgramDirectory(); !host.empty()) folders.push_back(host);
  std::error_code ec;
  if (auto cwd = std::filesystem::current_path(ec); !ec) folders.push_back(cwd);
  if (auto windir = WindowsDirectory(); !windir.empty()) folders.push_back(windir);
  if (const char* path = std::getenv("PATH")) {
    std::string_view rest(path);
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      const std::string_view folder = rest.substr(0, colon);
      // An empty entry of $PATH means the current folder, already searched.
      if (!folder.empty()) folders.emplace_back(folder);
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  for (const auto& folder : folders) {
    const std::filesystem::path candidate = folder / name;
    if (IsExecutableFile(candidate)) return candidate.string();
  }
  return std::nullopt;
}

}  // namespace kz::platform
