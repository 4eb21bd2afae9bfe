// kpj show: a station project file as the add-from-file dialog reads it, as JSON.
#include <fcntl.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/json_text.h"
#include "platform/file_io.h"
#include "platform/profile.h"
#include "projfiles/project_file_data.h"

namespace kz::cli {
namespace {

using nlohmann::ordered_json;

struct KpjArgs {
  std::string file;
  bool json = false;
};

// Loading treats a file it cannot read as one without stations; a person asking for a file wants
// to hear why instead. Also keeps a FIFO or device from being opened at all.
bool CheckProjectFile(const std::filesystem::path& path) {
  const auto opened = platform::OpenRegularFile(path, O_RDONLY);
  if (opened) return true;
  const Status& why = opened.status();
  Fail(path.string(), why.Is(Status::Kind::kNotRegularFile) ? std::string("not a regular file")
                                                            : std::string(why.reason()));
  return false;
}

// Object keys must be strings: a name that is not valid UTF-8 is keyed by the text of its
// {"hex": ...} form.
std::string JsonKey(const std::string& name) {
  const ordered_json text = JsonText(name);
  return text.is_string() ? name : text.dump();
}

ordered_json TransferJson(const projfiles::CClientXferData& x) {
  ordered_json type = nullptr;
  if (x.m_nLogIDType) type = *x.m_nLogIDType;
  return ordered_json{
      {"name", JsonText(x.m_strName)}, {"log id type", type}, {"log id", x.m_nLogID}};
}

ordered_json ProjectJson(const projfiles::CProjectFileData& project) {
  ordered_json stations = ordered_json::array();
  for (const auto& s : project.m_stations) {
    ordered_json datalogs = ordered_json::object();
    for (const auto& [name, xfers] : s->m_datalogs) {
      ordered_json list = ordered_json::array();
      for (const auto& x : xfers) list.push_back(TransferJson(x));
      datalogs[JsonKey(name)] = std::move(list);
    }
    stations.push_back(ordered_json{{"name", JsonText(s->m_strName)},
                                    {"number", s->m_nStationNumber},
                                    {"datalogs", std::move(datalogs)}});
  }
  return ordered_json{{"stations", std::move(stations)}};
}

int Show(const KpjArgs& args) {
  // A name given on the command line is the user's, relative to the current folder, not a bare
  // profile name of the Windows directory.
  const std::string path = std::filesystem::absolute(args.file).string();
  if (!CheckProjectFile(platform::ProfilePath(path))) return kFailed;
  projfiles::CProjectFileData project;
  project.Load(path);
  std::cout << ProjectJson(project).dump(2) << '\n';
  if (project.TransfersCut()) {
    Fail(path, "names more transfer copies than its size warrants; the rest were left out");
    return kFailed;
  }
  return kOk;
}

}  // namespace

void AddKpjCommands(CLI::App& app, int& exit_code) {
  CLI::App* kpj = app.add_subcommand("kpj", "Read station project files (*.kpj).");
  kpj->require_subcommand(1);
  auto args = std::make_shared<KpjArgs>();
  CLI::App* show = kpj->add_subcommand(
      "show",
      "Print what the add-from-file dialog reads from a station project file, as JSON (the only "
      "output format): the stations in the order of their first \"Quenda\" line, each with its "
      "number (-1 when the file gives none) and its datalog configurations by name, each with its "
      "client transfers in file order: name, log ID type (null when never read) and log ID. "
      "Texts that are not valid UTF-8 appear as {\"hex\": ...}, and configuration names as the "
      "text of that form. The path is matched without letter case, as Windows would find it. "
      "The status is 1 when the file cannot be read, or when it names more transfer copies than "
      "its size warrants (the JSON then leaves the rest out).");
  show->add_option("FILE", args->file, "The station project file")->required();
  show->add_flag("--json", args->json, "Print JSON (the default and only format)");
  show->callback([args, &exit_code] { exit_code = Show(*args); });
}

}  // namespace kz::cli
