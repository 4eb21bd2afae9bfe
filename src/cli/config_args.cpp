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
  const auto opened = platform::OpenRegularFile(real, O_RDONLY);
  if (opened) return true;
  const Status& why = opened.status();
  Fail(real.string(), why.error() == ENOENT ? std::string("no such file")
                      : why.Is(Status::Kind::kIsFolder)
                          ? std::string("is a folder, not a configuration file")
                          : std::string(why.reason()));
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
  if (const Status saved = model.SaveFile(path); !saved) {
    Fail(path, "not saved, the file is unchanged: " + std::string(saved.reason()));
    return kFailed;
  }
  return kOk;
}

}  // namespace kz::cli
