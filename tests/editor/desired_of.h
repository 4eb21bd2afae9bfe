// The desired configuration that leaves a model as it is: every part, every key, as `config show
// --json` would print it. Tests change it and apply it.
#pragma once

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "editor/apply_steps.h"
#include "editor/desired_config.h"

namespace kz::editor {

inline DesiredConfig DesiredOf(const config::CCfgMgr& model) {
  DesiredConfig d;
  d.general.emplace();
  d.transfers.emplace();
  d.ports.emplace();
  d.scheduled.emplace();
  const auto general = GeneralSnapshot(model);
  for (std::size_t i = 0; i < kGeneralKeyCount; ++i) (*d.general)[i] = general[i];
  for (int i = 0; i < model.GetConnectionCount(); ++i) {
    const config::CConnectionCfg& t = *model.GetConnection(i);
    if (t.IsRemoved()) continue;
    d.transfers->push_back({t.GetStationNumber(), t.GetID(), t.GetDatalogFile(),
                            t.GetNewFileMode(), t.GetNewFileSynchMode(), t.GetDataFile()});
  }
  for (int i = model.GetFirstPort(); i != -1; i = model.GetNextPort(i)) {
    const config::CPortCfg& p = *model.GetPort(i);
    d.ports->push_back({p.GetType(), p.GetNumber()});
    if (const auto* com = dynamic_cast<const config::CSerialCfg*>(&p)) {
      d.ports->back() = {p.GetType(),         p.GetNumber(),   com->GetBaud(), com->GetDataBits(),
                         com->GetStopBits(), com->GetParity(), com->GetFlow()};
    }
  }
  for (int i = model.GetFirstScheduledXfer(); i != -1; i = model.GetNextScheduledXfer(i)) {
    const config::CScheduledXfer& x = *model.GetScheduledXfer(i);
    d.scheduled->push_back({x.GetSyncPolling(), x.GetSyncClock(), x.GetPollInterval(),
                            x.GetSyncStartTime(), x.GetIntervalUnit(), x.GetStationNumber(),
                            x.GetClockSource(), x.GetDescription(), x.GetReserved(), x.GetPort(),
                            x.GetXferID()});
  }
  return d;
}

}  // namespace kz::editor
