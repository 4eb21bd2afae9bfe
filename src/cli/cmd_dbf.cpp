// dbf show, trend show: dBase tables and the stored trend tag list, as JSON.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/json_text.h"
#include "platform/file_lookup.h"
#include "projfiles/citect_data_mgr.h"
#include "projfiles/dbase_file.h"
#include "projfiles/trend_store.h"

namespace kz::cli {
namespace {

using nlohmann::ordered_json;
using projfiles::CDBaseFile;

struct DbfArgs {
  std::string file;
  bool json = false;
};

struct TrendArgs {
  std::optional<std::string> file;
  bool json = false;
};

int ShowDbf(const DbfArgs& args) {
  CDBaseFile table;
  std::string why;
  if (!table.Open(args.file, CDBaseFile::Mode::ReadOnly, &why)) {
    Fail(args.file, why);
    return kFailed;
  }
  ordered_json fields = ordered_json::array();
  for (const auto& f : table.Fields()) {
    fields.push_back(ordered_json{{"name", JsonText(f.Name())},
                                  {"type", JsonText(std::string(1, f.m_type))},
                                  {"length", f.m_nLength}});
  }
  ordered_json records = ordered_json::array();
  std::string value;
  for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
    ordered_json row = ordered_json::array();
    for (std::int32_t i = 1; i <= table.FieldCount(); ++i) {
      // A field that cannot be read (it lies past the record length) shows as null.
      if (table.ReadField(value, i) == projfiles::kDbfDone) {
        row.push_back(JsonText(value));
      } else {
        row.push_back(nullptr);
      }
    }
    records.push_back(std::move(row));
  }
  const ordered_json out{{"record count", table.RecordCount()},
                         {"header length", table.HeaderLength()},
                         {"record length", table.RecordLength()},
                         {"fields", std::move(fields)},
                         {"live records", std::move(records)}};
  std::cout << out.dump(2) << '\n';
  return kOk;
}

int ShowTrend(const TrendArgs& args) {
  const std::string path =
      args.file ? *args.file : platform::ResolveCase(projfiles::LocateTrendStore()).string();
  {
    // The load reports an unreadable store only by its result; a person wants to hear why.
    CDBaseFile probe;
    std::string why;
    if (!probe.Open(path, CDBaseFile::Mode::ReadOnly, &why)) {
      Fail(path, why);
      return kFailed;
    }
  }
  ConsoleUi ui(std::cerr);
  projfiles::CCitectDataMgr mgr(ui);
  // A project whose trend.dbf cannot be read has been reported on stderr; the list is still
  // shown, with the expressions that could be found, and the status says it was incomplete.
  const int result = mgr.ReadWrite(path, false);
  ordered_json out = ordered_json::array();
  for (std::size_t i = 0; i < mgr.m_tags.size(); ++i) {
    const auto& t = mgr.m_tags[i];
    out.push_back(ordered_json{{"citect project", JsonText(t.m_strCitectProj)},
                               {"trend tag", JsonText(t.m_strTrendVar)},
                               {"project file", JsonText(t.m_strProjFile)},
                               {"station name", JsonText(t.m_strStaName)},
                               {"datalog", JsonText(t.m_strDatalog)},
                               {"tag name", JsonText(t.m_strTagName)},
                               {"expression", JsonText(t.m_strExpr)}});
  }
  std::cout << out.dump(2) << '\n';
  return result == projfiles::kDataOk ? kOk : kFailed;
}

}  // namespace

void AddDbfCommands(CLI::App& app, int& exit_code) {
  CLI::App* dbf = app.add_subcommand("dbf", "Read dBase III tables.");
  dbf->require_subcommand(1);
  auto dbf_args = std::make_shared<DbfArgs>();
  CLI::App* show = dbf->add_subcommand(
      "show",
      "Print a table as JSON (the only output format): record count, header and record length, "
      "the fields, and the live records in file order with each value as the reader returns it "
      "(character fields without trailing blanks). Texts that are not valid UTF-8 appear as "
      "{\"hex\": ...}.");
  show->add_option("FILE", dbf_args->file, "The .dbf file")->required()->check(kNonEmptyPath);
  show->add_flag("--json", dbf_args->json, "Print JSON (the default and only format)");
  show->callback([dbf_args, &exit_code] { exit_code = ShowDbf(*dbf_args); });

  CLI::App* trend = app.add_subcommand("trend", "Read the Citect trend tag list.");
  trend->require_subcommand(1);
  auto trend_args = std::make_shared<TrendArgs>();
  CLI::App* trend_show = trend->add_subcommand(
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

}  // namespace kz::cli
