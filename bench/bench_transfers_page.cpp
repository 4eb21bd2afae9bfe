// Filling the Client Transfers page's list from a model of N client transfers (N = 2,500 to
// 20,000): the work the page repeats after every Add, Edit and Remove. It should grow in step
// with N.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "config/cfg_mgr.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_psheet.h"
#include "ui/ui_service.h"

namespace {

// Answers nothing: the fill shows no window.
class SilentUi : public kz::ui::UiService {
 public:
  bool CanShowWindows() const override { return false; }
  kz::ui::Answer MessageBox(std::string_view, std::string_view, kz::ui::Buttons,
                            kz::ui::Icon) override {
    return kz::ui::Answer::Cancel;
  }
  kz::ui::DialogResult RunModal(kz::ui::Window&) override { return kz::ui::DialogResult::Cancel; }
  void ShowModeless(kz::ui::Window&) override {}
  void Refresh(kz::ui::Window&) override {}
  void CloseModeless(kz::ui::Window&) override {}
  void PumpEvents(std::chrono::milliseconds) override {}
  void ShowHelp(const std::string&, std::uint32_t) override {}
  std::optional<std::string> ChooseOpenFile(const kz::ui::FileDialog&) override { return {}; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override {
    return {};
  }
};

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
  SilentUi ui;
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
