// Every window of the configuration editor as a keyboard user and a screen reader meet it: each
// control has an accessible name and Tab reaches it, and no mnemonic letter is used twice.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <map>
#include <string>
#include <vector>

#include "citect/citect_add_tag_psheet.h"
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
#include "support/citect_install.h"
#include "support/kpj_project.h"
#include "support/temp_env.h"
#include "ui/qt/citect_add_tag_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using editor::CCfgPSheet;

// The letter after a single '&', lower-cased; null when the text has none.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toLower();
    ++i;
  }
  return {};
}

// A control a user works: not the parts that make up another (a combo's line edit, a table's
// headers).
bool IsControl(const QWidget& w) {
  if (qobject_cast<QComboBox*>(w.parentWidget()) ||
      qobject_cast<QAbstractSpinBox*>(w.parentWidget()) || qobject_cast<const QHeaderView*>(&w)) {
    return false;
  }
  return qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QLineEdit*>(&w) ||
         qobject_cast<const QComboBox*>(&w) || qobject_cast<const QAbstractSpinBox*>(&w) ||
         qobject_cast<const QAbstractItemView*>(&w) || qobject_cast<const QTabBar*>(&w);
}

// Radio buttons of a group take one Tab stop and the arrows move between them.
bool InRadioGroup(const QWidget& w) {
  const auto* radio = qobject_cast<const QRadioButton*>(&w);
  return radio && (radio->autoExclusive() || radio->group());
}

// What the window's shown controls lack, one line each.
QStringList Faults(const QWidget& window) {
  QStringList faults;
  std::map<QChar, QString> mnemonics;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&window)) continue;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    if (const QChar key = Mnemonic(text); !key.isNull()) {
      const auto [first, fresh] = mnemonics.emplace(key, text);
      if (!fresh) faults << QStringLiteral("'%1' and '%2' share &%3").arg(first->second, text, key);
    }
    if (!IsControl(*w)) continue;
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(w);
    const QString name = access ? access->text(QAccessible::Name) : QString();
    const QString what = QStringLiteral("%1 '%2'").arg(w->metaObject()->className(), name);
    if (name.isEmpty()) faults << what + " has no accessible name";
    if (w->isEnabled() && !(w->focusPolicy() & Qt::TabFocus) && !InRadioGroup(*w)) {
      faults << what + " is not reached by Tab";
    }
  }
  return faults;
}

class EditorAccessibilityTest : public test::QtViewTest {
 protected:
  EditorAccessibilityTest() {
    model_.SetMode(0);  // the Client Transfers page shows its controls
    test::KpjProject project;
    project.stations = {{"North", test::KpjStationList::kZel, 12, {"CFG1"}}};
    project.datalogs = {{"CFG1", {{"Hourly"}}, {"flow"}}};
    EXPECT_TRUE(test::WriteKpjProject(project_, project));
  }

  // The faults of the window `run` opens (modally, through the UI service), one a line; the add
  // trend tags wizard is walked page by page.
  std::string Check(const std::function<void()>& run) {
    QStringList faults;
    WhenModal<QDialog>([&faults](QDialog& window) {
      auto* wizard = qobject_cast<CitectAddTagView*>(&window);
      if (!wizard) faults = Faults(window);
      for (int page = 0; wizard && page < citect::CCitectAddTagPSheet::kPageCount; ++page) {
        if (page == 0) wizard->findChild<QComboBox*>()->setCurrentIndex(0);
        for (const QString& fault : Faults(window)) {
          faults << QStringLiteral("page %1: ").arg(page + 1) + fault;
        }
        if (page == 1) wizard->pages()->currentWidget()->findChild<QTableView*>()->selectRow(0);
        wizard->next_button()->click();
      }
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

// Every window of both editions: the sheet on each page, each dialog it opens, and the wizard.
TEST_F(EditorAccessibilityTest, EveryControlIsNamedAndReachedAndMnemonicsAreUnique) {
  test::CitectInstall install;
  install.user_folder = env_.Path("citect/User");
  install.projects = {{"Water", "", {{"Level", "Pump1_Level"}}, {}}};
  ASSERT_TRUE(test::WriteCitectInstall(install));
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
      {"Add trend tags", [&](CCfgPSheet&) { Modal<citect::CCitectAddTagPSheet>(ui_); }},
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
