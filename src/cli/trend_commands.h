// The "trend" command group: one Add* function per subcommand, each in a file of its own, all
// registered by AddTrendCommands (cmd_trend.cpp).
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "citect/record/citect_trend_tag.h"
#include "projfiles/citect_data_mgr.h"

namespace kz::cli {

// A record as `trend show --json` prints it: its seven fields by name, in a fixed order.
nlohmann::ordered_json TrendTagJson(const citect::CCitectTrendTag& tag);

// The trend tag store to read: `file`, or the one the trend configuration locates.
std::string TrendStorePath(const std::optional<std::string>& file);

// Loads the store into `mgr`: the load's result, or nullopt, after one line on stderr naming the
// file, when the store itself cannot be opened or read.
std::optional<int> LoadTrendStore(projfiles::CCitectDataMgr& mgr, const std::string& path);

void AddTrendShowCommand(CLI::App& trend, int& exit_code);
void AddTrendResolveCommand(CLI::App& trend, int& exit_code);  // cmd_trend_resolve.cpp
void AddTrendVerifyCommand(CLI::App& trend, int& exit_code);

}  // namespace kz::cli
