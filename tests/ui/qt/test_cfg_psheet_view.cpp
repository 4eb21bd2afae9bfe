#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/cfg_mgr.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_psheet.h"
#include "qt_view_test.h"
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
    // Views are found by the presenter's own type.
    ui_.views().AddModal<RefusingSheet>(
        [](RefusingSheet& sheet, QtUiService& ui) { return RunCfgPSheetView(sheet, ui); });
    // Counting views for three pages; the COM Ports page keeps no view, as in a build without it.
    AddCountingView<editor::CCfgPage1>();
    AddCountingView<editor::CCfgPage4>();
    AddCountingView<editor::CCfgPage2>();
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

  config::CCfgMgr model_;
  QtUiService ui_;
  std::vector<std::uint32_t> help_;
  std::unique_ptr<RefusingSheet> sheet_ = std::make_unique<RefusingSheet>(
      &model_, "", ui_, [this](std::uint32_t id) { help_.push_back(id); });
  std::map<int, PageCalls> calls_;  // by template id
};

// Opened on the start page with the sheet's pages and buttons. A tab click collects the page left
// and asks it; the tab changes only when it agrees, and the page shown is refreshed. Help opens
// the active page's topic; OK with no port asks first, and No keeps the sheet open.
TEST_F(CfgPSheetViewTest, TabsHelpAndOkFollowTheSheet) {
  sheet_->SetStartPage(CCfgPSheet::kScheduledTransfersPage);
  QString question;
  bool open_after_no = false;
  const auto result = Run([&](CfgPSheetView& view) {
    EXPECT_EQ(view.windowTitle(), "Configure Datalog Server");
    QStringList titles;
    for (int i = 0; i < view.tabs()->count(); ++i) titles << view.tabs()->tabText(i);
    EXPECT_EQ(titles, (QStringList{"General", "Client Transfers", "UDP/TCP Ports", "COM Ports"}));
    EXPECT_EQ(view.tabs()->currentIndex(), 2);
    EXPECT_EQ(calls_[105].refreshes, 1);
    EXPECT_EQ(calls_[104].refreshes, 0);

    for (const bool refuse : {true, false}) {
      sheet_->refuse = refuse;
      view.tabs()->tabBar()->setCurrentIndex(1);
      EXPECT_EQ(view.tabs()->currentIndex(), refuse ? 2 : 1);
      EXPECT_EQ(sheet_->GetActiveIndex(), refuse ? 2 : 1);
      EXPECT_EQ(calls_[107].refreshes, refuse ? 0 : 1);
    }
    EXPECT_EQ(calls_[105].collects, 2) << "the page is asked with what was typed";
    test::Press(view, QDialogButtonBox::Help);

    AnswerNextBox(QMessageBox::No, &question);
    test::Press(view, QDialogButtonBox::Ok);
    open_after_no = view.isVisible();
    AnswerNextBox(QMessageBox::Yes);
    test::Press(view, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(result, ui::DialogResult::Ok);
  EXPECT_EQ(help_, std::vector<std::uint32_t>{0x20000 + editor::CCfgPage4::kTemplateId});
  EXPECT_EQ(question.toStdString(), CCfgPSheet::kNoPortQuestion);
  EXPECT_TRUE(open_after_no);
  EXPECT_EQ(calls_[107].collects, 2) << "the active page is collected before each OK";
}

TEST_F(CfgPSheetViewTest, CancelAndEscapeTakeNothingFromThePages) {
  EXPECT_EQ(Run([](CfgPSheetView& view) { test::Press(view, QDialogButtonBox::Cancel); }),
            ui::DialogResult::Cancel);
  EXPECT_EQ(Run([](CfgPSheetView& view) { QTest::keyClick(&view, Qt::Key_Escape); }),
            ui::DialogResult::Cancel);
  EXPECT_EQ(calls_[104].collects, 0);
}

}  // namespace
}  // namespace kz::qtui
