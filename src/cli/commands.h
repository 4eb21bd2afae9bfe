// The kzdlogsrv host's command groups. Each Add* function registers its subcommands on the app;
// a command's callback stores its exit status in `exit_code` (kOk, kFailed, kUsage) and writes
// errors as one line on stderr through Fail.
#pragma once

#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

namespace kz::cli {

inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// "kzdlogsrv: <what>: <why>" on stderr.
void Fail(std::string_view what, std::string_view why);
// strerror's text of an errno value; for 0, which names no failure, a text that says so.
std::string ErrorText(int error);

// Refuses an empty path argument (a usage error), which would otherwise name the current folder
// or a default file.
inline const CLI::Validator kNonEmptyPath(
    [](const std::string& path) {
      return path.empty() ? std::string("names no file (an empty path)") : std::string();
    },
    "PATH", "NonEmptyPath");

void AddConfigCommands(CLI::App& app, int& exit_code);  // config show, config rewrite
void AddConfigApplyCommands(CLI::App& config, int& exit_code);  // config apply, config check
void AddIniCommands(CLI::App& app, int& exit_code);     // ini get, ini set, ini delete
void AddDbfCommands(CLI::App& app, int& exit_code);     // dbf show
void AddTrendCommands(CLI::App& app, int& exit_code);   // trend show, ...
void AddKpjCommands(CLI::App& app, int& exit_code);     // kpj show
void AddModuleCommands(CLI::App& app, int& exit_code);  // configure, start-server, message, ...

}  // namespace kz::cli
