// The add trend tags wizard's window: walking it from the project to Finish with automatic
// binding, and a page that refuses Next.
#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <memory>
#include <string>
#include <vector>

#include "citect/citect_add_tag_psheet.h"
#include "platform/registry.h"
#include "qt_view_test.h"
#include "support/citect_install.h"
#include "support/kpj_project.h"
#include "support/temp_env.h"
#include "ui/qt/citect_add_tag_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using citect::CCitectAddTagPSheet;

class CitectAddTagViewTest : public test::QtViewTest {
 protected:
  CitectAddTagViewTest() {
    test::CitectInstall install;
    install.user_folder = env_.Path("citect/User");
    install.projects = {{"Water",
                         "",
                         {{"Level", "Pump1_Level"}, {"Flow", "Pump1_Flow"}},
                         {{"Pump1_Level", "Alpha"}, {"Pump1_Flow", "Alpha"}}},
                        {"power", "", {}, {}}};
    EXPECT_TRUE(test::WriteCitectInstall(install));
    EXPECT_TRUE(test::WriteKpjProject(
        env_.Path("kpj/Site.kpj"),
        {{{"Alpha", test::KpjStationList::kZel, 7, {"Hourly"}}}, {{"Hourly", {}, {"Level"}}}}));
    platform::AppProfile::WriteString(citect::kCitectAddTagSection, citect::kLastKpjPathEntry,
                                      env_.Path("kpj").string() + "/");
  }

  ui::DialogResult Run(std::function<void(CitectAddTagView&)> act) {
    WhenModal<CitectAddTagView>(std::move(act));
    return ui_.RunModal(sheet_);
  }

  // The table of the grid on the active page.
  static QTableView* Table(CitectAddTagView& view) {
    return view.pages()->currentWidget()->findChild<QTableView*>();
  }
  static QRadioButton* Radio(CitectAddTagView& view, const QString& text) {
    for (auto* radio : view.findChildren<QRadioButton*>()) {
      if (radio->text().remove('&') == text) return radio;
    }
    ADD_FAILURE() << "no radio button " << text.toStdString();
    return nullptr;
  }

  test::TempEnv env_;
  QtUiService ui_;
  std::vector<std::uint32_t> help_;
  CCitectAddTagPSheet sheet_{ui_, [this](std::uint32_t id) { help_.push_back(id); }};
};

TEST_F(CitectAddTagViewTest, WalksFromTheProjectToFinishWithAutomaticBinding) {
  std::vector<int> pages;
  std::vector<bool> finish_shown;
  std::vector<bool> folder_enabled;
  QString station;
  EXPECT_EQ(Run([&](CitectAddTagView& view) {
              EXPECT_EQ(view.windowTitle(), "Wizard");
              EXPECT_FALSE(view.back_button()->isEnabled());
              auto* projects = test::Named<QComboBox>(&view, "Citect project:");
              if (!projects) return view.reject();
              EXPECT_EQ(projects->count(), 2);
              projects->setCurrentIndex(projects->findText("Water"));
              for (int step = 0; step < 3; ++step) {
                pages.push_back(view.pages()->currentIndex());
                finish_shown.push_back(view.finish_button()->isVisible());
                if (step == 1) Table(view)->selectRow(0);  // Level
                if (step == 2) {
                  auto* folder = test::Named<QLineEdit>(&view, "Project file location (*.kpj):");
                  folder_enabled.push_back(folder && folder->isEnabled());
                  Radio(view, "Automatically resolve tags")->click();
                  folder_enabled.push_back(folder && folder->isEnabled());
                }
                view.next_button()->click();
              }
              pages.push_back(view.pages()->currentIndex());
              finish_shown.push_back(view.finish_button()->isVisible());
              QAbstractItemModel* rows = Table(view)->model();
              EXPECT_EQ(rows->rowCount(), 1);
              station = rows->data(rows->index(0, citect::kCitectStaNameCol)).toString();
              EXPECT_TRUE(view.pages()->isEnabled());
              view.finish_button()->click();
            }),
            ui::DialogResult::Ok);
  EXPECT_EQ(pages, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(finish_shown, (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(folder_enabled, (std::vector<bool>{false, true}));
  EXPECT_EQ(station, "Alpha");
  ASSERT_EQ(sheet_.GetResult().size(), 1u);
  EXPECT_EQ(sheet_.GetResult()[0]->m_strTagName, "Level");
  EXPECT_EQ(sheet_.GetResultCode(), CCitectAddTagPSheet::kIdWizFinish);
}

TEST_F(CitectAddTagViewTest, RefusedNextStaysWithTheMessageOverTheWizard) {
  QString text;
  int page = -1;
  EXPECT_EQ(Run([&](CitectAddTagView& view) {
              AnswerNextBox(QMessageBox::Ok, &text);
              view.next_button()->click();  // no project chosen
              page = view.pages()->currentIndex();
              view.buttons()->button(QDialogButtonBox::Help)->click();
              view.buttons()->button(QDialogButtonBox::Cancel)->click();
            }),
            ui::DialogResult::Cancel);
  EXPECT_EQ(text, "Please select a project.");
  EXPECT_EQ(page, 0);
  EXPECT_EQ(help_, (std::vector<std::uint32_t>{0x2006D}));
}

}  // namespace
}  // namespace kz::qtui
