// The configuration sheet's window under the offscreen platform, over a configuration of N
// client transfers and N/10 ports (N = 5,000, 10,000 and 20,000): opening it on its Client
// Transfers page, filled and painted; and adding a transfer with "Add Custom..." answered OK
// until the list shows it. Both should grow in step with N.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <map>
#include <memory>
#include <string>

#include "config/cfg_mgr.h"
#include "config/port_cfg.h"
#include "editor/cfg_psheet.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "ui/qt/cfg_page4_view.h"
#include "ui/qt/cfg_psheet_view.h"
#include "ui/qt/qt_ui_service.h"

namespace {

using kz::editor::CCfgPSheet;
using kz::qtui::CfgPSheetView;

// One model per size for the whole program: adding checks every data file, so building one is
// slow, and the benchmark functions run several times.
kz::config::CCfgMgr& Model(int transfers) {
  static std::map<int, std::unique_ptr<kz::config::CCfgMgr>> models;
  auto& model = models[transfers];
  if (model) return *model;
  model = std::make_unique<kz::config::CCfgMgr>();
  model->SetMode(0);
  for (int i = 0; i < transfers; ++i) {
    auto transfer = std::make_unique<kz::config::CConnectionCfg>();
    transfer->SetStationNumber(i / 4);
    transfer->SetID(i % 4);
    transfer->SetDatalogFile("log" + std::to_string(i % 4) + ".kdl");
    transfer->SetDataFile("/srv/datalog/station" + std::to_string(i) + ".csv");
    model->AddConnection(transfer);
  }
  for (int i = 0; i < transfers / 10; ++i) {
    model->AddPort(i % 2 ? kz::config::PORT_UDP : kz::config::PORT_SERIAL);
  }
  return *model;
}

// The window as the sheet's Run shows it, painted once.
std::unique_ptr<CfgPSheetView> OpenView(CCfgPSheet& sheet, kz::qtui::QtUiService& ui) {
  auto view = std::make_unique<CfgPSheetView>(sheet, ui, nullptr);
  view->show();
  QApplication::processEvents();
  return view;
}

void BM_OpenSheetOnTransfers(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  kz::config::CCfgMgr& model = Model(count);
  kz::qtui::QtUiService ui;
  for (auto _ : state) {
    CCfgPSheet sheet(&model, "", ui);
    sheet.SetStartPage(CCfgPSheet::kClientTransfersPage);
    auto view = OpenView(sheet, ui);
    state.PauseTiming();
    const auto* page = static_cast<kz::qtui::CfgPage4View*>(view->page_view(1));
    if (page->list()->model()->rowCount() != count) state.SkipWithError("the list is not full");
    view.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(count);
}

// "Add Custom..." answered OK: the Edit Transfer dialog (and its Record Storage dialog) take a
// new station number and a storage file and confirm, as a user would.
// Counts the transfers added by the whole program: each takes a station number and file of its own.
int next_station = 0;

void AnswerAddCustom(kz::qtui::QtUiService& ui) {
  ui.views().AddModal<kz::editor::CRecStorageDlg>(
      [](kz::editor::CRecStorageDlg& dialog, kz::qtui::QtUiService&) {
        dialog.OnInitDialog();
        dialog.m_strPath = "/srv/datalog/added" + std::to_string(next_station) + ".csv";
        dialog.m_nMode = 0;
        return dialog.OnOK() ? kz::ui::DialogResult::Ok : kz::ui::DialogResult::Cancel;
      });
  ui.views().AddModal<kz::editor::CEditTransferDlg>(
      [](kz::editor::CEditTransferDlg& dialog, kz::qtui::QtUiService&) {
        dialog.OnInitDialog();
        dialog.m_strStationNumber = std::to_string(next_station % 16000);
        dialog.m_strTransferId = std::to_string(9 + next_station / 16000);
        dialog.m_strDatalogFile = "added.kdl";
        dialog.OnEditStorage();
        ++next_station;
        return dialog.OnOK() ? kz::ui::DialogResult::Ok : kz::ui::DialogResult::Cancel;
      });
}

void BM_AddCustomTransfer(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  kz::config::CCfgMgr& model = Model(count);
  kz::qtui::QtUiService ui;
  AnswerAddCustom(ui);
  CCfgPSheet sheet(&model, "", ui);
  sheet.SetStartPage(CCfgPSheet::kClientTransfersPage);
  const auto view = OpenView(sheet, ui);
  auto* page = static_cast<kz::qtui::CfgPage4View*>(view->page_view(1));
  for (auto _ : state) {
    const int before = page->list()->model()->rowCount();
    page->add_custom()->click();
    QApplication::processEvents();
    if (page->list()->model()->rowCount() != before + 1) state.SkipWithError("no row added");
  }
  state.SetComplexityN(count);
}

// 5,000, 10,000 and 20,000 transfers: twice the size should take at most 2.2 times as long.
void Sizes(benchmark::internal::Benchmark* bench) {
  bench->Arg(5000)
      ->Arg(10000)
      ->Arg(20000)
      ->Unit(benchmark::kMillisecond)
      ->Complexity(benchmark::oN);
}
BENCHMARK(BM_OpenSheetOnTransfers)->Apply(Sizes);
BENCHMARK(BM_AddCustomTransfer)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
