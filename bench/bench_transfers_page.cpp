// Filling the Client Transfers page's list from a model of N client transfers (N = 2,500 to
// 20,000): the work the page repeats after every Add, Edit and Remove. It should grow in step
// with N.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "config/cfg_mgr.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_psheet.h"
#include "silent_ui.h"

namespace {

void BM_FillTransfersPage(benchmark::State& state) {
  kz::config::CCfgMgr model;
  const int count = static_cast<int>(state.range(0));
  for (int i = 0; i < count; ++i) {
    auto transfer = std::make_unique<kz::config::CConnectionCfg>();
    transfer->SetStationNumber(i % 16000);
    transfer->SetID(i / 16000);
    transfer->SetDatalogFile("CFG" + std::to_string(i % 50) + ".kdl");
    transfer->SetDataFile("/srv/datalog/station" + std::to_string(i) + ".csv");
    model.AddConnection(transfer);
  }
  kz::bench::SilentUi ui;
  kz::editor::CCfgPSheet sheet(&model, "", ui);
  for (auto _ : state) {
    sheet.page4().OnInitDialog();
    benchmark::DoNotOptimize(sheet.page4().m_rows.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FillTransfersPage)
    ->RangeMultiplier(2)
    ->Range(2500, 20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
