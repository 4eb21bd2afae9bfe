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
#include "platform/user_id.h"

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

// A folder of another user (root aside), or one anybody may write to, can hold a program planted
// there: the Windows directory of a user without a home lies in /tmp.
bool IsTrustedFolder(const std::filesystem::path& folder) {
  struct stat st;
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         (st.st_uid == CurrentUserId() || st.st_uid == 0) && (st.st_mode & S_IWOTH) == 0;
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

// posix_spawn's attribute and file-action objects, destroyed however the start ends.
class SpawnSetup {
 public:
  SpawnSetup()
      : actions_ready_(posix_spawn_file_actions_init(&actions_) == 0),
        attr_ready_(posix_spawnattr_init(&attr_) == 0) {}
  ~SpawnSetup() {
    if (actions_ready_) posix_spawn_file_actions_destroy(&actions_);
    if (attr_ready_) posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // The child's descriptors and session; false when a step could not be recorded.
  bool Detach() {
    bool ok = actions_ready_ && attr_ready_ && CloseInheritedDescriptors(actions_);
    for (int fd = 0; fd <= 2; ++fd) {
      ok = ok && posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null",
                                                  fd == 0 ? O_RDONLY : O_WRONLY, 0) == 0;
    }
    return ok && posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSID) == 0;
  }
  const posix_spawn_file_actions_t* actions() const { return &actions_; }
  const posix_spawnattr_t* attr() const { return &attr_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
  const bool actions_ready_;
  const bool attr_ready_;
};

}  // namespace

Result<pid_t> StartDetached(const std::string& path) {
  ReapEndedChildren();
  if (path.empty()) return Status::Error(Status::Kind::kInvalidArgument, {}, "no program given");
  SpawnSetup setup;
  if (!setup.Detach()) {
    return Status::Error(Status::Kind::kIoError, path, "the start could not be prepared");
  }
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = -1;
  // glibc reports a failed exec as the spawn's result, so a path that cannot run is an error here.
  const int rc = posix_spawn(&pid, path.c_str(), setup.actions(), setup.attr(), argv, environ);
  if (rc != 0) return Status::FromErrno(rc, path);
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
  if (const auto windir = WindowsDirectory(); IsTrustedFolder(windir)) add(windir);
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
