// The kzdlogsrv host's command groups. Each Add* function registers its subcommands on the app;
// a command's callback stores its exit status in `exit_code` (kOk, kFailed, kUsage) and writes
// errors as one line on stderr through Fail.
#pragma once

#include <string_view>

#include <CLI/CLI.hpp>

namespace kz::cli {

inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// "kzdlogsrv: <what>: <why>" on stderr.
void Fail(std::string_view what, std::string_view why);

void AddConfigCommands(CLI::App& app, int& exit_code);  // config show, config rewrite
void AddIniCommands(CLI::App& app, int& exit_code);     // ini get, ini set, ini delete
void AddDbfCommands(CLI::App& app, int& exit_code);     // dbf show, trend show
void AddKpjCommands(CLI::App& app, int& exit_code);     // kpj show
void AddModuleCommands(CLI::App& app, int& exit_code);  // configure, start-server, message, ...

}  // namespace kz::cli
