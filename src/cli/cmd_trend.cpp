// trend show: the stored trend tag list as the trend configuration loads it, as JSON; and the
// "trend" command group that the other trend commands join.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/json_text.h"
#include "cli/trend_commands.h"
#include "platform/file_lookup.h"
#include "projfiles/citect_data_mgr.h"
#include "projfiles/trend_store.h"

namespace kz::cli {
namespace {

using nlohmann::ordered_json;

struct TrendArgs {
  std::optional<std::string> file;
  bool json = false;
};

int ShowTrend(const TrendArgs& args) {
  ConsoleUi ui(std::cerr);
  projfiles::CCitectDataMgr mgr(ui);
  // A project whose trend.dbf cannot be read has been reported on stderr; the list is still
  // shown, with the expressions that could be found, and the status says it was incomplete.
  const std::optional<int> result = LoadTrendStore(mgr, TrendStorePath(args.file));
  if (!result) return kFailed;
  ordered_json out = ordered_json::array();
  for (std::size_t i = 0; i < mgr.m_tags.size(); ++i) {
    out.push_back(TrendTagJson(mgr.m_tags[i]));
  }
  std::cout << out.dump(2) << '\n';
  return *result == projfiles::kDataOk ? kOk : kFailed;
}

}  // namespace

std::string TrendStorePath(const std::optional<std::string>& file) {
  return file ? *file : platform::ResolveCase(projfiles::LocateTrendStore()).string();
}

std::optional<int> LoadTrendStore(projfiles::CCitectDataMgr& mgr, const std::string& path) {
  const int loaded = mgr.ReadWrite(path, false);
  if (mgr.StoreStatus()) return loaded;
  Fail(path, mgr.StoreStatus().reason());
  return std::nullopt;
}

ordered_json TrendTagJson(const citect::CCitectTrendTag& t) {
  return ordered_json{{"citect project", JsonText(t.m_strCitectProj)},
                      {"trend tag", JsonText(t.m_strTrendVar)},
                      {"project file", JsonText(t.m_strProjFile)},
                      {"station name", JsonText(t.m_strStaName)},
                      {"datalog", JsonText(t.m_strDatalog)},
                      {"tag name", JsonText(t.m_strTagName)},
                      {"expression", JsonText(t.m_strExpr)}};
}

void AddTrendShowCommand(CLI::App& trend, int& exit_code) {
  auto trend_args = std::make_shared<TrendArgs>();
  CLI::App* trend_show = trend.add_subcommand(
      "show",
      "Print the trend tag list as the trend configuration loads it, as JSON (the only output "
      "format): the stored bindings in list order, each with the expression that its Citect "
      "project's trend.dbf gives. Messages go to stderr; the status is 1 when the list could "
      "not be read or a project's trend.dbf could not be.");
  trend_show
      ->add_option("--file", trend_args->file,
                   "The kztrendvars.dbf to read; by default the one of the configuration "
                   "tool's Projects folder (velmora.ini), else of the current folder")
      ->check(kNonEmptyPath);
  trend_show->add_flag("--json", trend_args->json, "Print JSON (the default and only format)");
  trend_show->callback([trend_args, &exit_code] { exit_code = ShowTrend(*trend_args); });
}

void AddTrendCommands(CLI::App& app, int& exit_code) {
  CLI::App* trend = app.add_subcommand("trend", "Read and bind the Citect trend tag list.");
  trend->require_subcommand(1);
  AddTrendShowCommand(*trend, exit_code);
  AddTrendResolveCommand(*trend, exit_code);
  AddTrendVerifyCommand(*trend, exit_code);
}

}  // namespace kz::cli
