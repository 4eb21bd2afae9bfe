#include "platform/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string>
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

// The server must hold none of the caller's descriptors: an inherited pipe end keeps a reader of
// the host waiting for as long as the server runs, and any other descriptor lends it access it
// was not given.
bool CloseInheritedDescriptors(posix_spawn_file_actions_t& actions) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  return posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;
#else
  // Those open now; a close of one that another thread closes meanwhile is ignored by the spawn.
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    const int fd = std::atoi(entry.path().filename().c_str());
    if (fd > 2 && posix_spawn_file_actions_addclose(&actions, fd) != 0) return false;
  }
  return !ec;
#endif
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
  bool ready = CloseInheritedDescriptors(actions);
  for (int fd = 0; fd <= 2; ++fd) {
    ready = ready && posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                                      fd == 0 ? O_RDONLY : O_WRONLY, 0) == 0;
  }
  ready = ready && posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID) == 0;
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = -1;
  // glibc reports a failed exec as the spawn's result, so a path that cannot run is an error here.
  const int rc = ready ? posix_spawn(&pid, path.c_str(), &actions, &attr, argv, environ) : -1;
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
  // Never the current folder, in any spelling: a program planted there would run with the
  // host's rights. So only absolute folders count, also of $PATH (where an empty or relative
  // entry names the current folder or one below it).
  std::vector<std::filesystem::path> folders;
  const auto add = [&folders](std::filesystem::path folder) {
    if (folder.is_absolute()) folders.push_back(std::move(folder));
  };
  add(HostProgramDirectory());
  add(WindowsDirectory());
  if (const char* path = std::getenv("PATH")) {
    std::string_view rest(path);
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      add(std::filesystem::path(rest.substr(0, colon)));
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
