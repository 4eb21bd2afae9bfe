// trend verify: the trend configuration's "Verify Tags" without windows, for scripts and for
// checking a server's bindings over a terminal.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "citect/citect_cfg_dlg.h"
#include "citect/tag_verifier.h"
#include "citect/warning_list_dlg.h"
#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/trend_commands.h"
#include "projfiles/citect_data_mgr.h"

namespace kz::cli {
namespace {

int VerifyTrend(const std::optional<std::string>& file) {
  ConsoleUi ui(std::cerr);
  projfiles::CCitectDataMgr mgr(ui);
  // A project whose trend.dbf cannot be read has been reported on stderr; its records keep no
  // expression, which verification reports as well.
  const std::optional<int> loaded = LoadTrendStore(mgr, TrendStorePath(file));
  if (!loaded) return kFailed;
  const auto warnings = citect::VerifyTags(mgr.m_tags, mgr);
  if (warnings.empty()) {
    std::cout << citect::CCitectCfgDlg::kNoWarnings << '\n';
  } else {
    std::cout << citect::WarningListText(warnings, "\n") << '\n';
  }
  return warnings.empty() && *loaded == projfiles::kDataOk ? kOk : kFailed;
}

}  // namespace

void AddTrendVerifyCommand(CLI::App& trend, int& exit_code) {
  auto file = std::make_shared<std::optional<std::string>>();
  CLI::App* verify = trend.add_subcommand(
      "verify",
      "Verify the trend tag list as \"Verify Tags\" of the trend configuration does: incomplete "
      "bindings, duplicate trend tags, and datalog tags that their station project files do not "
      "define. Prints the warnings as the Warnings window lists them, one a line, then an empty "
      "line and \"<n> warning(s) found.\"; with none, prints \"No warnings found.\". The status "
      "is 0 when there is no warning, 1 when there are warnings or the list (or a project's "
      "trend.dbf) could not be read. Messages go to stderr.");
  verify
      ->add_option("--file", *file,
                   "The kztrendvars.dbf to verify; by default the one of the configuration "
                   "tool's Projects folder (velmora.ini), else of the current folder")
      ->check(kNonEmptyPath);
  verify->callback([file, &exit_code] { exit_code = VerifyTrend(*file); });
}

}  // namespace kz::cli
