#include "platform/system_dirs.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace kz::platform {
namespace {

// A variable that is set, non-empty and (as XDG asks) an absolute path.
const char* PathVariable(const char* name) {
  const char* v = std::getenv(name);
  return (v && v[0] == '/') ? v : nullptr;
}

std::filesystem::path ConfigHome() {
  if (const char* xdg = PathVariable("XDG_CONFIG_HOME")) return xdg;
  if (const char* home = PathVariable("HOME")) return std::filesystem::path(home) / ".config";
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    return std::filesystem::path(pw->pw_dir) / ".config";
  }
  return "/tmp";
}

// The folder must be ours alone: the status block and the server sockets live in it.
bool IsPrivateDirectory(const std::filesystem::path& dir) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
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

std::filesystem::path RuntimeDirectory() {
  std::filesystem::path dir;
  if (const char* run = PathVariable("XDG_RUNTIME_DIR")) {
    dir = std::filesystem::path(run) / "kzdlogsrv";
  } else {
    dir = "/tmp/kzdlogsrv-" + std::to_string(geteuid());
  }
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateDirectory(dir) ? dir : std::filesystem::path();
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  out += name;
  return out;
}

}  // namespace kz::platform
