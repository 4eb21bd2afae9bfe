// Every window of the configuration editor as a keyboard user and a screen reader meet it: each
// control has an accessible name and Tab reaches it, and no mnemonic letter is used twice.
#include <string>
#include <vector>

#include "accessibility_faults.h"
#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/udp_cfg.h"
#include "editor/add_from_file_dlg.h"
#include "editor/cfg_com.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "qt_view_test.h"
#include "support/kpj_project.h"
#include "support/temp_env.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using editor::CCfgPSheet;
using test::Faults;

class EditorAccessibilityTest : public test::QtViewTest {
 protected:
  EditorAccessibilityTest() {
    model_.SetMode(0);  // the Client Transfers page shows its controls
    test::KpjProject project;
    project.stations = {{"North", test::KpjStationList::kZel, 12, {"CFG1"}}};
    project.datalogs = {{"CFG1", {{"Hourly"}}, {"flow"}}};
    EXPECT_TRUE(test::WriteKpjProject(project_, project));
  }

  // The faults of the window `run` opens (modally, through the UI service), one a line.
  std::string Check(const std::function<void()>& run) {
    QStringList faults;
    WhenModal<QDialog>([&faults](QDialog& window) {
      faults = Faults(window);
      window.reject();
    });
    run();
    return faults.join('\n').toStdString();
  }

  // Runs the presenter D, made of `args`, as a modal window.
  template <typename D, typename... Args>
  void Modal(Args&&... args) {
    D d(std::forward<Args>(args)...);
    ui_.RunModal(d);
  }

  test::TempEnv env_;
  config::CCfgMgr model_;
  QtUiService ui_;
  std::filesystem::path project_ = env_.Path("site.kpj");
};

// Every window of both editions: the sheet on each page and each dialog it opens (the add trend
// tags wizard is checked page by page on its walk).
TEST_F(EditorAccessibilityTest, EveryControlIsNamedAndReachedAndMnemonicsAreUnique) {
  config::CUDPCfg udp;
  config::CSerialCfg com;
  config::CConnectionCfg transfer;
  using Open = std::function<void(CCfgPSheet & sheet)>;
  const std::vector<std::pair<const char*, Open>> dialogs = {
      {"UDP port",
       [&](CCfgPSheet& s) {
         Modal<editor::CCfgUDP>(s.GetPage(CCfgPSheet::kUdpTcpPortsPage), udp, model_);
       }},
      {"COM port",
       [&](CCfgPSheet& s) {
         Modal<editor::CCfgCOM>(s.GetPage(CCfgPSheet::kComPortsPage), com, model_);
       }},
      {"Edit Transfer",
       [&](CCfgPSheet& s) {
         Modal<editor::CEditTransferDlg>(s, model_, transfer);
       }},
      {"Record Storage", [&](CCfgPSheet& s) { Modal<editor::CRecStorageDlg>(s); }},
      {"Add From File",
       [&](CCfgPSheet& s) { Modal<editor::CAddFromFileDlg>(s, project_.string()); }},
  };
  for (const char* options : {"", "product=citect"}) {
    for (int page = 0; page < CCfgPSheet::kPageCount; ++page) {
      CCfgPSheet sheet(&model_, options, ui_);
      sheet.SetStartPage(page);
      EXPECT_EQ(Check([&] { ui_.RunModal(sheet); }), "")
          << "sheet '" << options << "' on page " << page;
    }
    CCfgPSheet sheet(&model_, options, ui_);
    for (const auto& [name, open] : dialogs) {
      EXPECT_EQ(Check([&] { open(sheet); }), "") << name << " '" << options << "'";
    }
  }
}

}  // namespace
}  // namespace kz::qtui
