#include "cli/config_args.h"

#include <fcntl.h>

#include <cerrno>
#include <filesystem>

#include "cli/commands.h"
#include "config/cfg_mgr.h"
#include "config/options_path.h"
#include "platform/file_io.h"
#include "platform/profile.h"
#include "platform/system_dirs.h"

namespace kz::cli {

std::optional<std::string> ConfigPath(const ConfigArgs& args) {
  if (!args.file) {
    return config::ConfigPathFromOptions(args.options.value_or(""),
                                         platform::WindowsDirectory().string());
  }
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::absolute(*args.file, ec);
  if (ec) {
    Fail(*args.file,
         "a relative path, but the current folder cannot be found: " + ErrorText(ec.value()));
    return std::nullopt;
  }
  return path.string();
}

bool CheckReadable(const std::string& path) {
  const std::filesystem::path real = platform::ProfilePath(path);
  if (platform::OpenRegularFile(real, O_RDONLY).valid()) return true;
  const int error = errno;
  Fail(real.string(), error == ENOENT   ? std::string("no such file")
                      : error == EISDIR ? std::string("is a folder, not a configuration file")
                                        : ErrorText(error));
  return false;
}

int LoadConfig(const ConfigArgs& args, config::CCfgMgr& model, std::string& path) {
  const auto given = ConfigPath(args);
  if (!given) return kUsage;
  path = *given;
  if (path.empty()) {
    Fail("--options", "names no configuration file");
    return kFailed;
  }
  if (!CheckReadable(path)) return kFailed;
  model.ReadWrite(path, false);
  return kOk;
}

int SaveConfig(config::CCfgMgr& model, const std::string& path) {
  errno = 0;
  if (model.ReadWrite(path, true) == config::kCfgOk) return kOk;
  const int error = errno;
  Fail(path, std::string("not saved, the file is unchanged") +
                 (error ? ": " + ErrorText(error) : std::string()));
  return kFailed;
}

}  // namespace kz::cli
