// A configuration model, a scripted UI and a sheet of either edition for the Client Transfers
// page and its dialogs, in a temporary Windows directory and registry.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/cfg_mgr.h"
#include "editor/cfg_psheet.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::editor {

class TransferTest : public test::TempEnvTest {
 protected:
  CCfgPSheet& Sheet(bool citect = false) {
    if (!sheet_) {
      sheet_ = std::make_unique<CCfgPSheet>(&model_, citect ? "product=citect" : "", ui_,
                                            [this](std::uint32_t id) { help_.push_back(id); });
    }
    return *sheet_;
  }

  // The sheet opened on the Client Transfers page.
  CCfgPage4& Page4(bool citect = false) {
    Sheet(citect).SetStartPage(CCfgPSheet::kClientTransfersPage);
    Sheet().OnInitDialog();
    return Sheet().page4();
  }

  // A live transfer of the model.
  config::CConnectionCfg* AddTransfer(int station, int id, const std::string& data_file) {
    auto transfer = std::make_unique<config::CConnectionCfg>();
    transfer->SetStationNumber(station);
    transfer->SetID(id);
    transfer->SetDatalogFile("CFG1.kdl");
    transfer->SetDataFile(data_file);
    config::CConnectionCfg* raw = transfer.get();
    EXPECT_EQ(model_.AddConnection(transfer), config::kCfgOk);
    return raw;
  }

  // Answers every modal run of a T with `act` (which says how it ended); others end with Cancel.
  template <typename T>
  void OnModal(std::function<ui::DialogResult(T&)> act) {
    ui_.on_modal = [act](ui::Window& w) {
      auto* dialog = dynamic_cast<T*>(&w);
      return dialog ? act(*dialog) : ui::DialogResult::Cancel;
    };
  }

  config::CCfgMgr model_;
  test::ScriptedUi ui_;
  std::unique_ptr<CCfgPSheet> sheet_;
  std::vector<std::uint32_t> help_;  // topics asked for through the sheet
};

}  // namespace kz::editor
