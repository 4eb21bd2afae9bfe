// Scheduled transfers set by a script. The editor has no page for them, so the only rules are the
// file's: a record must read back as it was given, and poll on a live port. They are matched by
// their whole content; an unmatched current one is removed and an unmatched desired one added.
#include <deque>
#include <memory>
#include <unordered_map>

#include "config/cfg_mgr.h"
#include "editor/apply_steps.h"

namespace kz::editor {
namespace {

using config::CScheduledXfer;

std::unique_ptr<CScheduledXfer> Build(const DesiredScheduled& want) {
  auto x = std::make_unique<CScheduledXfer>();
  x->SetSyncPolling(want.sync_polling);
  x->SetSyncClock(want.sync_clock);
  x->SetPollInterval(want.poll_interval);
  x->SetSyncStartTime(want.sync_start_time);
  x->SetIntervalUnit(want.interval_unit);
  x->SetStationNumber(want.station_number);
  x->SetClockSource(want.clock_source);
  x->SetDescription(want.description);
  x->SetReserved(want.reserved);
  x->SetPort(want.port);
  x->SetXferID(want.xfer_id);
  return x;
}

// Why the record's line would not read back as the record: a comma in the reserved text or the
// port, a backquote in the description, texts beyond what the server reads, a line break.
std::optional<std::string> ReadBackProblem(const CScheduledXfer& x) {
  const std::string line = x.FormattedLine();
  if (line.find_first_of("\r\n") != std::string::npos) {
    return "Holds a line break, which the configuration file cannot hold.";
  }
  const CScheduledXfer back = CScheduledXfer::FromLine(line);
  if (back.FormattedLine() == line) return std::nullopt;
  return "Would not read back as given: the server reads at most 40 characters of the "
         "description and of the reserved text and 20 of the port, a comma in the reserved text "
         "or the port or a backquote in the description shifts the fields, and reading drops "
         "blanks around the texts.";
}

}  // namespace

void ApplyScheduled(ApplyContext& ctx, const std::vector<DesiredScheduled>& desired,
                    std::vector<std::string>& lines, ScheduledPositions& positions) {
  config::CCfgMgr& model = ctx.model;
  std::unordered_map<std::string, std::deque<int>> live;
  for (int i = model.GetFirstScheduledXfer(); i != -1; i = model.GetNextScheduledXfer(i)) {
    live[model.GetScheduledXfer(i)->FormattedLine()].push_back(i);
  }
  std::vector<bool> kept(static_cast<std::size_t>(model.GetScheduledXferCount()), false);
  std::vector<std::unique_ptr<CScheduledXfer>> added(desired.size());
  for (std::size_t j = 0; j < desired.size(); ++j) {
    auto x = Build(desired[j]);
    const auto it = live.find(x->FormattedLine());
    if (it != live.end() && !it->second.empty()) {
      kept[static_cast<std::size_t>(it->second.front())] = true;
      positions[model.GetScheduledXfer(it->second.front())] = {j, false};
      it->second.pop_front();
    } else {
      added[j] = std::move(x);
    }
  }
  for (int i = model.GetFirstScheduledXfer(); i != -1; i = model.GetNextScheduledXfer(i)) {
    if (kept[static_cast<std::size_t>(i)]) continue;
    lines.push_back("scheduled: removed " + Quoted(model.GetScheduledXfer(i)->Line()));
    model.RemoveScheduledXfer(i);
  }
  for (std::size_t j = 0; j < desired.size(); ++j) {
    if (!added[j]) continue;
    const std::string path = ItemPath("scheduled", j);
    if (auto bad = ReadBackProblem(*added[j])) {
      ctx.result.problems.push_back({path, std::move(*bad)});
      continue;
    }
    lines.push_back(path + ": added " + Quoted(added[j]->Line()));
    positions[added[j].get()] = {j, true};
    model.AddScheduledXfer(std::move(added[j]));
  }
}

}  // namespace kz::editor
