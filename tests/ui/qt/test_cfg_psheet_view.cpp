#include <QDialogButtonBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/cfg_mgr.h"
#include "config/port_cfg.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_psheet.h"
#include "qt_view_test.h"
#include "shell/kzdlogsrv_app.h"
#include "support/temp_env.h"
#include "ui/qt/cfg_psheet_view.h"
#include "ui/qt/page_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using editor::CCfgPSheet;

// A page's view that counts what the sheet's view asks of it.
struct PageCalls {
  int refreshes = 0;
  int collects = 0;
};

class CountingPageView : public PageView {
 public:
  CountingPageView(PageCalls& calls, QWidget* parent) : PageView(parent), calls_(calls) {}
  void Refresh() override { ++calls_.refreshes; }
  void Collect() override { ++calls_.collects; }

 private:
  PageCalls& calls_;
};

// A sheet whose pages refuse to be left while `refuse` is set.
class RefusingSheet : public CCfgPSheet {
 public:
  using CCfgPSheet::CCfgPSheet;
  bool refuse = false;
  bool SetActivePage(int index) override { return !refuse && CCfgPSheet::SetActivePage(index); }
};

class CfgPSheetViewTest : public test::QtViewTest {
 protected:
  CfgPSheetViewTest() {
    NewSheet();
    // Views are found by the presenter's own type.
    ui_.views().AddModal<RefusingSheet>(
        [](RefusingSheet& sheet, QtUiService& ui) { return RunCfgPSheetView(sheet, ui); });
    // Counting views for three pages; the COM Ports page keeps no view, as in a build without it.
    AddCountingView<editor::CCfgPage1>();
    AddCountingView<editor::CCfgPage4>();
    AddCountingView<editor::CCfgPage2>();
  }

  // A sheet that has not run yet, with fresh counts.
  void NewSheet() {
    sheet_ = std::make_unique<RefusingSheet>(&model_, "", ui_,
                                             [this](std::uint32_t id) { help_.push_back(id); });
    calls_.clear();
  }

  template <typename Page>
  void AddCountingView() {
    ui_.views().AddPage<Page>([this](Page& page, QtUiService&, QWidget* parent) -> PageView* {
      return new CountingPageView(calls_[page.TemplateId()], parent);
    });
  }

  // Runs the sheet through the UI service, acting on its window once it is shown.
  ui::DialogResult Run(std::function<void(CfgPSheetView&)> act) {
    WhenModal<CfgPSheetView>(std::move(act));
    return ui_.RunModal(*sheet_);
  }

  static QPushButton* Button(CfgPSheetView& view, QDialogButtonBox::StandardButton which) {
    return view.buttons()->button(which);
  }

  config::CCfgMgr model_;
  QtUiService ui_;
  std::unique_ptr<RefusingSheet> sheet_;
  std::vector<std::uint32_t> help_;
  std::map<int, PageCalls> calls_;  // by template id
};

TEST_F(CfgPSheetViewTest, OpensOnTheStartPageWithTheSheetsPagesAndButtons) {
  sheet_->SetStartPage(CCfgPSheet::kScheduledTransfersPage);
  QStringList titles;
  int current = -1;
  std::vector<bool> buttons;
  EXPECT_EQ(Run([&](CfgPSheetView& view) {
              EXPECT_EQ(view.windowTitle(), "Configure Datalog Server");
              for (int i = 0; i < view.tabs()->count(); ++i) titles << view.tabs()->tabText(i);
              current = view.tabs()->currentIndex();
              for (auto b : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Help,
                             QDialogButtonBox::Apply}) {
                buttons.push_back(Button(view, b) != nullptr);
              }
              view.reject();
            }),
            ui::DialogResult::Cancel);
  EXPECT_EQ(titles, (QStringList{"General", "Client Transfers", "UDP/TCP Ports", "COM Ports"}));
  EXPECT_EQ(current, 2);
  EXPECT_EQ(buttons, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(calls_[105].refreshes, 1);
  EXPECT_EQ(calls_[104].refreshes, 0);
}

// A tab click: the left page is collected and asked; the tab changes only when it agrees, and
// the page shown is refreshed.
TEST_F(CfgPSheetViewTest, TabSwitchAsksTheLeftPageAndStaysWhenRefused) {
  for (const bool refuse : {false, true}) {
    SCOPED_TRACE(refuse ? "refused" : "allowed");
    NewSheet();
    sheet_->refuse = refuse;
    int current = -1;
    Run([&](CfgPSheetView& view) {
      view.tabs()->tabBar()->setCurrentIndex(1);
      current = view.tabs()->currentIndex();
      view.reject();
    });
    const int expected = refuse ? 0 : 1;
    EXPECT_EQ(current, expected);
    EXPECT_EQ(sheet_->GetActiveIndex(), expected);
    EXPECT_EQ(calls_[104].collects, 1) << "the page is asked with what was typed";
    EXPECT_EQ(calls_[107].refreshes, refuse ? 0 : 1);
  }
}

TEST_F(CfgPSheetViewTest, OkAsksAboutPortsAndClosesOnlyWhenTheSheetAgrees) {
  QString question;
  bool open_after_no = false;
  const auto result = Run([&](CfgPSheetView& view) {
    AnswerNextBox(QMessageBox::No, &question);
    Button(view, QDialogButtonBox::Ok)->click();
    open_after_no = view.isVisible();
    AnswerNextBox(QMessageBox::Yes);
    Button(view, QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(question.toStdString(), CCfgPSheet::kNoPortQuestion);
  EXPECT_TRUE(open_after_no);
  EXPECT_EQ(result, ui::DialogResult::Ok);
  EXPECT_EQ(calls_[104].collects, 2) << "the active page is collected before each OK";
}

TEST_F(CfgPSheetViewTest, CancelEscapeAndHelp) {
  model_.AddPort(config::PORT_UDP);  // no question on OK either way
  EXPECT_EQ(Run([](CfgPSheetView& view) { Button(view, QDialogButtonBox::Cancel)->click(); }),
            ui::DialogResult::Cancel);
  EXPECT_EQ(Run([](CfgPSheetView& view) { QTest::keyClick(&view, Qt::Key_Escape); }),
            ui::DialogResult::Cancel);
  Run([](CfgPSheetView& view) {
    view.tabs()->setCurrentIndex(1);
    Button(view, QDialogButtonBox::Help)->click();
    view.reject();
  });
  EXPECT_EQ(help_, std::vector<std::uint32_t>{0x20000 + editor::CCfgPage4::kTemplateId});
  EXPECT_EQ(calls_[107].collects, 0) << "Cancel takes nothing from the pages";
}

// The configure operation on a file, through the module's UI service and the sheet's view.
class ConfigureViewTest : public test::QtViewTest {
 protected:
  test::TempEnv env_;
  QtUiService ui_;
  shell::CKzdlogsrvApp app_{ui_, ""};
};

TEST_F(ConfigureViewTest, CancelLeavesTheFileByteForByte) {
  const auto path = env_.Path("site.cfg");
  // Layout the writer would change: comments, blanks, CR LF, keys out of order, no port.
  const std::string original =
      "; hand-written\r\n[general]\r\nmode = 0\r\n\r\n[transfers]\r\n0=xfer9\r\n[xfer9]\r\n"
      "station number=3\r\nID=4\r\ndata file=/d/a.csv\r\n";
  test::WriteFile(path, original);
  app_.InitInstance();
  const std::string options = "File=" + path.string();

  WhenModal<CfgPSheetView>([](CfgPSheetView& view) { view.reject(); });
  EXPECT_EQ(app_.Configure(options), 0);
  EXPECT_EQ(test::ReadFile(path), original);

  app_.ExitInstance();
}

}  // namespace
}  // namespace kz::qtui
