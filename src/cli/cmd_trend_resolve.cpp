// trend resolve: the add trend tags wizard without windows. Takes a Citect project's trend tags
// (all, or those named), binds them with automatic resolution, prints them as JSON and, when
// asked, appends them to the trend tag list as the trend configuration's OK saves it.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "citect/candidate_tags.h"
#include "citect/tag_resolver.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/progress_console_ui.h"
#include "cli/trend_commands.h"
#include "platform/file_lookup.h"
#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "projfiles/citect_install.h"
#include "projfiles/dbase_file.h"
#include "projfiles/kpj_folder.h"

namespace kz::cli {
namespace {

using citect::CCitectTrendTagArray;
using projfiles::CDBaseFile;

struct ResolveArgs {
  std::string project;
  std::string folder;
  std::vector<std::string> tags;
  bool add = false;
  std::optional<std::string> file;
};

// Copies of the candidates named by `names` (all when none), in the order asked for, each once.
// False, with a line on stderr, for a name the project lacks.
bool SelectTags(const ResolveArgs& args, const CCitectTrendTagArray& candidates,
                CCitectTrendTagArray& chosen) {
  std::set<std::size_t> taken;
  const auto take = [&](std::size_t i) {
    if (taken.insert(i).second) chosen.Add().CopyFrom(candidates[i]);
  };
  if (args.tags.empty()) {
    for (std::size_t i = 0; i < candidates.size(); ++i) take(i);
    return true;
  }
  for (const std::string& name : args.tags) {
    bool found = false;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (candidates[i].m_strTrendVar == name) {
        take(i);
        found = true;
      }
    }
    if (!found) {
      Fail("--tag " + name, "Citect project " + args.project + " has no such trend tag");
      return false;
    }
  }
  return true;
}

// What resolution reports only by its result (or not at all, for a missing folder), told here
// with the file at fault before anything runs.
bool CheckInputs(const ResolveArgs& args) {
  const std::string user = projfiles::CitectUserFolderFromIni();
  if (user.empty()) {
    Fail(platform::ProfilePath("citect.ini").string(),
         "names no Citect user folder ([CTEDIT] USER)");
    return false;
  }
  const std::string variables =
      platform::ResolveCase(projfiles::CitectProjectFolder(user, args.project) + "variable.dbf")
          .string();
  CDBaseFile probe;
  if (const Status opened = probe.Open(variables, CDBaseFile::Mode::ReadOnly); !opened) {
    Fail(variables, opened.reason());
    return false;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(platform::ResolveCase(args.folder), ec)) {
    Fail(args.folder, "is no folder of station project files");
    return false;
  }
  return true;
}

// The store to add to; empty (after a line on stderr) when it exists but cannot be read, since
// saving would then replace bindings that were never loaded.
std::string StorePath(const ResolveArgs& args) {
  // The located store comes found without case already; a given one is looked up here.
  const std::string path =
      args.file ? platform::ResolveCase(*args.file).string() : TrendStorePath(std::nullopt);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return path;
  CDBaseFile probe;
  const Status opened = probe.Open(path, CDBaseFile::Mode::ReadOnly);
  if (opened) return path;
  Fail(path, opened.reason());
  return {};
}

int AddToStore(ui::UiService& ui, const std::string& path, const CCitectTrendTagArray& tags) {
  projfiles::CCitectDataMgr mgr(ui);
  // A missing store loads as an empty list; a project whose trend.dbf cannot be read only
  // leaves expressions empty, which are never saved.
  mgr.ReadWrite(path, false);
  mgr.AppendCopies(tags);
  if (mgr.ReadWrite(path, true) == projfiles::kDataOk) return kOk;
  ui.MessageBox("Failed to save the trend tag list to " + path + ".", "Error", ui::Buttons::Ok,
                ui::Icon::Exclamation);
  return kFailed;
}

int ResolveCommand(const ResolveArgs& args) {
  ProgressConsoleUi ui(std::cerr);
  CCitectTrendTagArray candidates, chosen;
  if (!citect::ReadCandidateTags(ui, args.project, candidates)) return kFailed;
  if (!SelectTags(args, candidates, chosen) || !CheckInputs(args)) return kFailed;
  const std::string store = args.add ? StorePath(args) : std::string();
  if (args.add && store.empty()) return kFailed;

  // The paths found are stored in the trend tag list, which the server reads from its own
  // working folder: a relative folder would lead it elsewhere.
  std::error_code ec;
  const auto absolute = std::filesystem::absolute(args.folder, ec).lexically_normal();
  const std::string folder = ec ? args.folder : absolute.string();
  citect::ResolveRequest request{args.project, {}, projfiles::FolderWithSlash(folder)};
  for (std::size_t i = 0; i < chosen.size(); ++i) request.tags.push_back(&chosen[i]);
  if (citect::ResolveTags(ui, request) != citect::kResolveDone) return kFailed;

  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < chosen.size(); ++i) out.push_back(TrendTagJson(chosen[i]));
  std::cout << out.dump(2) << '\n';
  return args.add ? AddToStore(ui, store, chosen) : kOk;
}

}  // namespace

void AddTrendResolveCommand(CLI::App& trend, int& exit_code) {
  auto args = std::make_shared<ResolveArgs>();
  CLI::App* cmd = trend.add_subcommand(
      "resolve",
      "Bind a Citect project's trend tags to datalog tags as the add trend tags wizard's "
      "automatic resolution does (variable.dbf gives each expression's station; the station "
      "project files of a folder give its datalog tags) and print them as JSON. Progress and "
      "warnings go to stderr.");
  cmd->add_option("--project", args->project, "The Citect project")->required();
  cmd->add_option("--folder", args->folder, "The folder of station project files (*.kpj)")
      ->required()
      ->check(kNonEmptyPath);
  cmd->add_option("--tag", args->tags,
                  "A trend tag of the project to bind (repeatable); all of them by default");
  cmd->add_flag("--add", args->add,
                "Append the bound trend tags to the trend tag list and save it");
  cmd->add_option("--file", args->file,
                  "The kztrendvars.dbf to add to; by default the one `trend show` reads")
      ->check(kNonEmptyPath);
  cmd->callback([args, &exit_code] { exit_code = ResolveCommand(*args); });
}

}  // namespace kz::cli
