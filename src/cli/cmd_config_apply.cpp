// config apply, config check: the editor's protection without its windows, for scripts.
#include <unistd.h>

#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "cli/config_args.h"
#include "cli/desired_json.h"
#include "config/cfg_mgr.h"
#include "editor/config_apply.h"
#include "platform/file_io.h"
#include "platform/server_channel.h"
#include "shell/kzdlogsrv_app.h"
#include "shell/options.h"

namespace kz::cli {
namespace {

struct ApplyArgs {
  ConfigArgs config;
  std::string desired = "-";
  bool dry_run = false;
  bool reload = false;
  bool allow_no_ports = false;
};

// The desired configuration's text from its file, or standard input for "-"; nullopt after an
// error line naming it.
std::optional<std::string> ReadDesired(const std::string& name) {
  if (name == "-") {
    std::ostringstream text;
    text << std::cin.rdbuf();
    if (std::cin.bad()) {
      Fail("standard input", "cannot be read");
      return std::nullopt;
    }
    return text.str();
  }
  std::string text;
  if (const Status read = platform::ReadWholeFile(name, text); !read) {
    Fail(name, read.reason());
    return std::nullopt;
  }
  return text;
}

void PrintProblems(std::ostream& out, const std::vector<editor::ConfigProblem>& problems,
                   std::string_view prefix = "") {
  for (const auto& problem : problems) out << prefix << editor::FormatProblem(problem) << '\n';
}

// The reload message, as `message 475` sends it; false when a running server did not answer.
bool Reload(const std::string& options) {
  const std::string_view title = shell::EditionByEquality(options).server_title;
  if (!platform::ServerListening(title)) {
    std::cout << "reload: no datalog server is running; it reads the file when it starts\n";
    return true;
  }
  if (platform::SendServerCode(title, shell::kMsgServer475)) {
    std::cout << "reload: the datalog server acknowledged the reload message\n";
    return true;
  }
  Fail("reload", "the file is saved, but the datalog server did not acknowledge the reload "
                 "message in time");
  return false;
}

int Apply(const ApplyArgs& args) {
  config::CCfgMgr model;
  std::string path;
  if (const int status = LoadConfig(args.config, model, path); status != kOk) return status;
  const auto text = ReadDesired(args.desired);
  if (!text) return kFailed;
  editor::DesiredConfig desired;
  std::vector<editor::ConfigProblem> problems;
  if (!DesiredFromJson(*text, desired, problems)) {
    PrintProblems(std::cerr, problems);
    return kFailed;
  }
  const std::string options = args.config.options.value_or("");
  const editor::ApplyResult result =
      editor::ApplyDesired(model, desired, {options, args.allow_no_ports});
  PrintProblems(std::cerr, result.warnings, "warning: ");
  if (!result.ok()) {
    PrintProblems(std::cerr, result.problems);
    return kFailed;
  }
  for (const std::string& line : result.changes) std::cout << line << '\n';
  if (args.dry_run || result.changes.empty()) return kOk;
  if (SaveConfig(model, path) != kOk) return kFailed;
  return args.reload && !Reload(options) ? kFailed : kOk;
}

int Check(const ConfigArgs& args) {
  config::CCfgMgr model;
  std::string path;
  if (const int status = LoadConfig(args, model, path); status != kOk) return status;
  const auto problems = editor::CheckConfig(model, args.options.value_or(""));
  PrintProblems(std::cout, problems);
  return problems.empty() ? kOk : kFailed;
}

void AddFileOptions(CLI::App& cmd, ConfigArgs& args) {
  cmd.add_option("--file", args.file, "Configuration file (else the one --options names)")
      ->check(kNonEmptyPath);
  cmd.add_option("--options", args.options,
                 "Options text of the configure operation: \"product=citect\" picks the Citect "
                 "edition's pages (and its file without --file), \"File=PATH\" a file");
}

}  // namespace

void AddConfigApplyCommands(CLI::App& config, int& exit_code) {
  auto apply_args = std::make_shared<ApplyArgs>();
  CLI::App* apply = config.add_subcommand(
      "apply",
      "Make the configuration the desired one (JSON in the form `config show --json` prints) "
      "through the editor's own pages, dialogs and checks. Each of \"general\", \"transfers\", "
      "\"ports\" and \"scheduled\" given replaces that part; the others stay. Either the whole "
      "result is saved, in one step, or nothing is and every problem is printed on stderr as "
      "\"<JSON path>: <message>\" (exit 1). Changes are printed on stdout.");
  AddFileOptions(*apply, apply_args->config);
  apply->add_option("desired", apply_args->desired, "Desired configuration (JSON); - for stdin")
      ->required();
  apply->add_flag("--dry-run", apply_args->dry_run, "Print what would change; save nothing");
  apply->add_flag("--reload", apply_args->reload,
                  "After saving, send a running datalog server the reload message (0x475)");
  apply->add_flag("--allow-no-ports", apply_args->allow_no_ports,
                  "Save a configuration without live ports (the editor asks; this answers Yes)");
  apply->callback([apply_args, &exit_code] { exit_code = Apply(*apply_args); });

  auto check_args = std::make_shared<ConfigArgs>();
  CLI::App* check = config.add_subcommand(
      "check",
      "Print what the editor would refuse on OK in the stored configuration, one \"<JSON path>: "
      "<message>\" line each (paths as `config show --json` numbers the records); exit 1 when "
      "there is any.");
  AddFileOptions(*check, *check_args);
  check->callback([check_args, &exit_code] { exit_code = Check(*check_args); });
}

}  // namespace kz::cli
