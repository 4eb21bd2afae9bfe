// dbf show: a dBase table as JSON.
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/json_text.h"
#include "projfiles/dbase_file.h"

namespace kz::cli {
namespace {

using nlohmann::ordered_json;
using projfiles::CDBaseFile;

struct DbfArgs {
  std::string file;
  bool json = false;
};

int ShowDbf(const DbfArgs& args) {
  CDBaseFile table;
  if (const Status opened = table.Open(args.file, CDBaseFile::Mode::ReadOnly); !opened) {
    Fail(args.file, opened.reason());
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
}

}  // namespace kz::cli
