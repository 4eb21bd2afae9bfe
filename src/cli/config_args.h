// Which configuration file a `config` command works on: --file PATH (the user's path, relative to
// the current folder) or --options TEXT (the configure operation's rule: "File=", else the
// edition's file in the Windows directory).
#pragma once

#include <optional>
#include <string>

namespace kz::config {
class CCfgMgr;
}

namespace kz::cli {

struct ConfigArgs {
  std::optional<std::string> file;
  std::optional<std::string> options;
  bool json = false;
};

// The path handed to the model (--file first, then --options), or nullopt after a usage error
// line.
std::optional<std::string> ConfigPath(const ConfigArgs& args);

// Loading treats an unreadable file as empty; a person asking for a file wants to hear instead.
// False after an error line naming the file.
bool CheckReadable(const std::string& path);

// ConfigPath, CheckReadable and the model's load in one: kOk with `path` set and `model` loaded,
// or the exit status after an error line.
int LoadConfig(const ConfigArgs& args, config::CCfgMgr& model, std::string& path);
// Saves the model as OK does, in one step; kOk, or kFailed after an error line (the file is then
// unchanged).
int SaveConfig(config::CCfgMgr& model, const std::string& path);

}  // namespace kz::cli
