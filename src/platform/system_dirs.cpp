#include "platform/system_dirs.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/user_id.h"

namespace kz::platform {
namespace {

// A variable that is set, non-empty and (as XDG asks) an absolute path.
const char* PathVariable(const char* name) {
  const char* v = std::getenv(name);
  return (v && v[0] == '/') ? v : nullptr;
}

// $HOME, else the password database's home; empty when neither is known.
std::filesystem::path HomeDirectory() {
  if (const char* home = PathVariable("HOME")) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') {
    return pw->pw_dir;
  }
  return {};
}

std::filesystem::path ConfigHome() {
  if (const char* xdg = PathVariable("XDG_CONFIG_HOME")) return xdg;
  if (auto home = HomeDirectory(); !home.empty()) return home / ".config";
  return "/tmp";
}

// Without a runtime directory of the session: a folder in the user's home, where no other user
// can take the name first (as anyone can in /tmp).
std::filesystem::path StateRuntimeDirectory() {
  std::filesystem::path state;
  if (const char* xdg = PathVariable("XDG_STATE_HOME")) {
    state = xdg;
  } else if (auto home = HomeDirectory(); !home.empty()) {
    state = home / ".local" / "state";
  } else {
    return {};
  }
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') std::strcpy(host, "localhost");
  std::string name = std::string("run-") + host;
  std::replace(name.begin(), name.end(), '/', '_');
  const std::filesystem::path parent = state / "kzdlogsrv";
  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
  return parent / name;
}

// The folder must be ours alone: the status block and the server sockets live in it.
Status CheckPrivateDirectory(const std::filesystem::path& dir) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) return Status::FromErrno(errno, dir);
  if (S_ISDIR(st.st_mode) && st.st_uid == CurrentUserId() && (st.st_mode & 077) == 0) return {};
  return Status::Error(Status::Kind::kNotOwned, dir,
                       "is not a folder of this user's alone (mode 0700, not a link)");
}

}  // namespace

std::filesystem::path WindowsDirectory() {
  if (const char* dir = std::getenv("KZDLOGSRV_WINDIR"); dir && *dir) return dir;
  return ConfigHome() / "kzdlogsrv";
}

bool CreateWindowsDirectory() {
  std::error_code ec;
  const auto dir = WindowsDirectory();
  std::filesystem::create_directories(dir, ec);
  return std::filesystem::is_directory(dir, ec);
}

std::filesystem::path RegistryDirectory() {
  if (const char* dir = std::getenv("KZDLOGSRV_REGISTRY"); dir && *dir) return dir;
  return ConfigHome() / "kzdlogsrv" / "registry";
}

Result<std::filesystem::path> RuntimeDirectory() {
  std::filesystem::path dir;
  if (const char* run = PathVariable("XDG_RUNTIME_DIR")) {
    dir = std::filesystem::path(run) / "kzdlogsrv";
  } else {
    dir = StateRuntimeDirectory();
    if (dir.empty()) {
      return Status::Error(Status::Kind::kNotFound, {},
                           "no runtime folder: neither XDG_RUNTIME_DIR nor a home folder is known");
    }
  }
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return Status::FromErrno(errno, dir);
  if (Status s = CheckPrivateDirectory(dir); !s) return s;
  return dir;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  out += name;
  return out;
}

}  // namespace kz::platform
