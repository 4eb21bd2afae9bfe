#include "citect/tag_resolver.h"

#include <cstdint>

#include "citect/tag_resolution.h"
#include "platform/file_lookup.h"
#include "projfiles/cancel_dlg.h"
#include "projfiles/citect_install.h"
#include "projfiles/dbase_file.h"
#include "projfiles/kpj_folder.h"

namespace kz::citect {
namespace {

using projfiles::CCancelDlg;
using projfiles::CDBaseFile;

// How many items pass between two cancel checks: each check lets the window repaint and its
// button react, and costs the time the UI takes to do that.
constexpr int kVariablesPerCheck = 102;
constexpr int kRecordsPerCheck = 12;
constexpr int kStationsPerCheck = 7;

constexpr const char* kRepeatedWarning =
    "Warning:\n\nThe following station names were found in multiple files:\n\n%s\n\nThe first "
    "file found will be used to resolve tag names.";

std::int32_t FieldNumber(const CDBaseFile& table, std::string_view name) {
  const projfiles::CFieldNode* node = table.Fields().FindFieldByName(name);
  return node ? node->m_nNumber : 0;
}

// One run: the phases in order, each skipped once the result is no longer kResolveDone.
class ResolveRun {
 public:
  ResolveRun(ui::UiService& ui, const ResolveRequest& request, CCancelDlg& dlg)
      : ui_(ui), request_(request), dlg_(dlg) {}

  int Run() {
    tables_.BuildExpressionMap(request_.tags);
    const std::string user = projfiles::CitectUserFolderFromIni();
    if (user.empty()) return kResolveFailed;
    ReadVariables(projfiles::CitectProjectFolder(user, request_.project) + "variable.dbf");
    if (result_ == kResolveDone) FindStationNames();
    if (result_ == kResolveDone) BuildLookupTable();
    if (result_ == kResolveDone) SortByStation();
    if (result_ == kResolveDone) Resolve();
    return result_;
  }

 private:
  // True (and the result set) when the user has cancelled.
  bool Cancelled() {
    if (!dlg_.CheckCancel()) return false;
    result_ = kResolveCancelled;
    return true;
  }

  void ReadVariables(const std::string& path) {
    dlg_.SetLine2("Reading variable.dbf...");
    CDBaseFile table;
    if (!table.Open(platform::ResolveCase(path), CDBaseFile::Mode::ReadOnly)) {
      ui_.MessageBox("Unable to access the Citect variable.dbf file.", "Error", ui::Buttons::Ok,
                     ui::Icon::Exclamation);
      result_ = kResolveFailed;
      return;
    }
    const std::int32_t name_field = FieldNumber(table, "NAME");
    const std::int32_t unit_field = FieldNumber(table, "UNIT");
    std::string name, unit;
    int count = 0;
    for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
      if (table.ReadField(name, name_field) != projfiles::kDbfDone) name.clear();
      // Only an expression is ever looked up, so UNIT is read for those alone.
      if (tables_.IsExpression(name)) {
        if (table.ReadField(unit, unit_field) != projfiles::kDbfDone) unit.clear();
        tables_.AddVariable(name, unit);
      }
      if (++count % kVariablesPerCheck == 0 && Cancelled()) return;
    }
    table.Close();
    Cancelled();
  }

  void FindStationNames() {
    dlg_.SetLine2("Finding station names...");
    tables_.FindStationNames();
    Cancelled();
  }

  void BuildLookupTable() {
    dlg_.SetLine2("Building .kpj lookup table...");
    const std::string folder = projfiles::FolderWithSlash(request_.folder);
    for (const std::string& name : projfiles::ProjectFileNames(folder)) {
      tables_.CollectStationNames(folder + name);
      if (Cancelled()) break;
    }
    const auto& repeated = tables_.RepeatedNames();
    if (repeated.empty()) return;
    std::string text = kRepeatedWarning;
    text.replace(text.find("%s"), 2, RepeatedNamesList(repeated));
    dlg_.Hide();
    ui_.MessageBox(text, "Warning", ui::Buttons::Ok, ui::Icon::Exclamation);
    dlg_.Show();
  }

  void SortByStation() {
    dlg_.SetLine2("Sorting by station name...");
    int count = 0;
    for (CCitectTrendTag* record : tables_.Entered()) {
      tables_.AddToStationGroup(*record);
      if (++count % kRecordsPerCheck == 0 && Cancelled()) return;
    }
    Cancelled();
  }

  void Resolve() {
    int count = 0;
    for (const auto& group : tables_.StationGroups()) {
      dlg_.SetLine2("Resolving tag names for " + group.front()->m_strStaName + "...");
      CTagResolution::ResolveStation(group);
      if (++count % kStationsPerCheck == 0 && Cancelled()) return;
    }
  }

  ui::UiService& ui_;
  const ResolveRequest& request_;
  CCancelDlg& dlg_;
  CTagResolution tables_;
  int result_ = kResolveDone;
};

}  // namespace

int ResolveTags(ui::UiService& ui, const ResolveRequest& request,
                const std::function<void(bool)>& set_owner_enabled) {
  CCancelDlg dlg(ui);
  dlg.Show();
  dlg.SetLine1("Resolving trend tags...");
  dlg.ShowProgress(false);
  if (set_owner_enabled) set_owner_enabled(false);
  const int result = ResolveRun(ui, request, dlg).Run();
  if (set_owner_enabled) set_owner_enabled(true);
  dlg.Hide();
  return result;
}

}  // namespace kz::citect
