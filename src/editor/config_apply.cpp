#include "editor/config_apply.h"

#include "config/cfg_mgr.h"
#include "editor/apply_steps.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_psheet.h"

namespace kz::editor {
namespace {

bool GeneralDiffers(const config::CCfgMgr& model, const DesiredGeneral& desired) {
  const auto now = GeneralSnapshot(model);
  for (std::size_t key = 0; key < kGeneralKeyCount; ++key) {
    if (desired[key] && *desired[key] != now[key]) return true;
  }
  return false;
}

// The sheet's OK: the question about a configuration without live ports, then the General
// page's store-and-validate when it is the active page. Its boxes become problems and warnings.
void PressOk(ApplyContext& ctx, bool allow_no_ports) {
  ctx.ui.boxes.clear();
  const bool ok = ctx.sheet.OnOK();
  for (const RecordingUi::Box& box : ctx.ui.boxes) {
    if (box.text == CCfgPSheet::kNoPortQuestion) {
      if (!allow_no_ports) {
        ctx.result.problems.push_back(
            {"ports", box.text + " Answered No; --allow-no-ports answers Yes."});
      }
    } else if (box.text == CCfgPage1::kDuplicatesWarning) {
      ctx.result.warnings.push_back({FieldPath("general", "check duplicates"), box.text});
    } else if (!ok) {
      const int control = ctx.sheet.GetActivePage().focus();
      ctx.result.problems.push_back(
          {FieldPath("general", kGeneralKeys[GeneralKeyOfControl(control)].name), box.text});
    }
  }
}

void GeneralChanges(const std::array<GeneralValue, kGeneralKeyCount>& was,
                    const config::CCfgMgr& model, std::vector<std::string>& lines) {
  const auto now = GeneralSnapshot(model);
  for (std::size_t key = 0; key < kGeneralKeyCount; ++key) {
    if (was[key] == now[key]) continue;
    lines.push_back(FieldPath("general", kGeneralKeys[key].name) + ": " +
                    GeneralValueText(was[key]) + " -> " + GeneralValueText(now[key]));
  }
}

// Saving in automatic mode keeps no client transfers.
void AutomaticModeRemovals(const config::CCfgMgr& model, std::vector<std::string>& lines) {
  for (int i = 0; i < model.GetConnectionCount(); ++i) {
    const config::CConnectionCfg* t = model.GetConnection(i);
    if (t->IsRemoved()) continue;
    lines.push_back("transfers: removed station " + std::to_string(t->GetStationNumber()) +
                    " ID " + std::to_string(t->GetID()) +
                    " (new clients connect automatically, \"mode\" 1, and the file keeps no "
                    "client transfers)");
  }
}

// Scheduled transfers this apply added, or whose port it removed, that poll on no live port.
void ScheduledPortProblems(ApplyContext& ctx, const std::unordered_set<std::string>& live_before,
                           const ScheduledPositions& positions) {
  const auto live = LivePortTexts(ctx.model);
  std::size_t k = 0;
  for (int i = ctx.model.GetFirstScheduledXfer(); i != -1;
       i = ctx.model.GetNextScheduledXfer(i), ++k) {
    const config::CScheduledXfer* x = ctx.model.GetScheduledXfer(i);
    const auto problem = ScheduledPortProblem(live, x->GetPort());
    if (!problem) continue;
    const bool was_live = !ScheduledPortProblem(live_before, x->GetPort());
    const auto position = positions.find(x);
    const bool added = position != positions.end() && position->second.added;
    if (!was_live && !added) continue;
    ctx.result.problems.push_back(
        {ItemPath("scheduled", position != positions.end() ? position->second.index : k),
         *problem});
  }
}

}  // namespace

ApplyResult ApplyDesired(config::CCfgMgr& model, const DesiredConfig& desired,
                         const ApplyOptions& options) {
  ApplyResult result;
  RecordingUi ui;
  CCfgPSheet sheet(&model, options.options, ui);
  const bool general_differs = desired.general && GeneralDiffers(model, *desired.general);
  int final_mode = model.GetMode();
  if (desired.general && (*desired.general)[kKeyMode]) {
    if (const int* mode = std::get_if<int>(&*(*desired.general)[kKeyMode])) final_mode = *mode;
  }
  ApplyContext ctx{model, ui, sheet, result, final_mode};
  const auto general_before = GeneralSnapshot(model);
  const auto live_ports_before = LivePortTexts(model);

  // The sheet opens on the General page only when there is something to change there: a page
  // that is never shown checks nothing.
  sheet.SetStartPage(general_differs ? CCfgPSheet::kGeneralPage : CCfgPSheet::kClientTransfersPage);
  sheet.OnInitDialog();
  if (general_differs) ApplyGeneralControls(ctx, *desired.general);

  std::vector<std::string> transfers, ports, scheduled;
  ScheduledPositions positions;
  if (desired.transfers) ApplyTransfers(ctx, *desired.transfers, transfers);
  if (desired.ports) ApplyPorts(ctx, *desired.ports, ports);
  if (desired.scheduled) ApplyScheduled(ctx, *desired.scheduled, scheduled, positions);
  ScheduledPortProblems(ctx, live_ports_before, positions);

  const bool records_changed = !transfers.empty() || !ports.empty() || !scheduled.empty();
  if (general_differs || records_changed) {
    const std::size_t before_ok = result.problems.size();
    PressOk(ctx, options.allow_no_ports);
    if (general_differs && result.problems.size() == before_ok) {
      CheckGeneralLanded(ctx, *desired.general);
    }
  }
  GeneralChanges(general_before, model, result.changes);
  if (model.GetMode() == 1 && (general_differs || records_changed)) {
    AutomaticModeRemovals(model, transfers);
  }
  for (auto* part : {&transfers, &ports, &scheduled}) {
    for (auto& line : *part) result.changes.push_back(std::move(line));
  }
  return result;
}

}  // namespace kz::editor
