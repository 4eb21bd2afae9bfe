// The add trend tags wizard's window: a walk from the project to Finish with automatic binding,
// by the controls' accessible names and the keyboard, each page checked for what a keyboard user
// and a screen reader would miss.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

#include "accessibility_faults.h"
#include "platform/registry.h"
#include "qt_view_test.h"
#include "support/add_tag_wizard.h"
#include "ui/qt/citect_add_tag_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using CitectAddTagViewTest = test::QtViewTest;

TEST_F(CitectAddTagViewTest, WalksFromTheProjectToFinishWithAutomaticBinding) {
  test::TempEnv env;
  test::WriteAddTagSample(env);
  platform::AppProfile::WriteString(citect::kCitectAddTagSection, citect::kLastKpjPathEntry,
                                    env.Path("kpj/").string());
  QtUiService ui;
  std::vector<std::uint32_t> help;
  citect::CCitectAddTagPSheet sheet(ui, [&help](std::uint32_t id) { help.push_back(id); });
  std::vector<bool> seen;  // the folder enabled, manual then automatic; the window after Escape
  WhenModal<CitectAddTagView>([&](CitectAddTagView& view) {
    EXPECT_EQ(view.windowTitle(), "Wizard");
    view.buttons()->button(QDialogButtonBox::Help)->click();
    auto* projects = test::Named<QComboBox>(&view, "Citect project:");
    auto* folder = test::Named<QLineEdit>(&view, "Project file location (*.kpj):");
    auto* automatic = test::Named<QRadioButton>(&view, "Automatically resolve tags");
    if (!projects || !folder || !automatic) return view.reject();
    // What each page lacks for the keyboard and a screen reader.
    const auto faults = [&view] { return test::Faults(view).join('\n').toStdString(); };
    projects->setCurrentIndex(projects->findText("Water"));
    EXPECT_EQ(faults(), "") << "page 1";
    QTest::keyClick(&view, Qt::Key_Return);                                 // Next
    view.pages()->currentWidget()->findChild<QTableView*>()->selectRow(0);  // Level
    EXPECT_EQ(faults(), "") << "page 2";
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(faults(), "") << "page 3";
    seen.push_back(folder->isEnabled());
    automatic->click();
    seen.push_back(folder->isEnabled());
    // Escape while resolution runs: the wizard stays.
    QTimer::singleShot(
        0, [&] { QTest::keyClick(&view, Qt::Key_Escape), seen.push_back(view.isVisible()); });
    QTest::keyClick(&view, Qt::Key_Return);
    auto* rows = view.pages()->currentWidget()->findChild<QTableView*>()->model();
    EXPECT_EQ(rows->data(rows->index(0, citect::kCitectStaNameCol)).toString(), "Alpha");
    EXPECT_EQ(faults(), "") << "page 4";
    QTest::keyClick(&view, Qt::Key_Return);  // Finish, shown in Next's place
  });
  EXPECT_EQ(ui.RunModal(sheet), ui::DialogResult::Ok);
  EXPECT_EQ(help, (std::vector<std::uint32_t>{0x2006D}));
  EXPECT_EQ(seen, (std::vector<bool>{false, true, true}));
}

}  // namespace
}  // namespace kz::qtui
