// kz_screenshots OUT_DIR SAMPLE_CFG [SAMPLE_KPJ]: pictures of the configuration editor's windows, as PNG files
// in OUT_DIR, for the documentation and for looking at the windows without a display (run under
// the offscreen platform by scripts/screenshots).
//
// It opens the sheet on the sample in both editions and grabs each page, then presses every button
// of each page and grabs the first of each window that opens (dialogs, message boxes), closing it
// again with Cancel/Escape; nothing is saved. Only windows that have a view in this build appear:
// the rest are found missing by look-up and skipped.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "citect/citect_add_tag_psheet.h"
#include "citect/citect_cfg_dlg.h"
#include "citect/citect_grid_col.h"
#include "citect/tag_verifier.h"
#include "config/cfg_mgr.h"
#include "editor/add_from_file_dlg.h"
#include "editor/cfg_psheet.h"
#include "editor/rec_storage_dlg.h"
#include "editor/property_page.h"
#include "platform/profile.h"
#include "support/citect_install.h"
#include "support/kpj_project.h"
#include "projfiles/cancel_dlg.h"
#include "ui/qt/citect_cfg_dlg_view.h"
#include "ui/qt/cfg_psheet_view.h"
#include "ui/qt/citect_add_tag_view.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

class Shooter {
 public:
  explicit Shooter(QString dir) : dir_(std::move(dir)) { QDir().mkpath(dir_); }

  void Save(QWidget& window, const QString& name) {
    const QString path = dir_ + "/" + name + ".png";
    if (!window.grab().save(path)) {
      std::fprintf(stderr, "kz_screenshots: %s: cannot be written\n", qPrintable(path));
      failed_ = true;
      return;
    }
    std::printf("%s\n", qPrintable(path));
  }

  // Grabs (once per title) and closes every modal window other than `sheet` that opens while
  // `act` runs.
  void WhileWatching(QWidget* sheet, const std::function<void()>& act) {
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal == sheet) return;
      if (!qobject_cast<QFileDialog*>(modal)) {
        const bool box = qobject_cast<QMessageBox*>(modal) != nullptr;
        const QString name = (box ? "box-" : "dialog-") + Slug(modal->windowTitle());
        if (seen_.insert(name).second) Save(*modal, name);
      }
      Close(*modal);
    });
    watch.start();
    act();
  }

  static QString Slug(const QString& title) {
    QString slug;
    for (const QChar c : title.toLower()) {
      if (c.isLetterOrNumber()) {
        slug += c;
      } else if (!slug.isEmpty() && !slug.endsWith('-')) {
        slug += '-';
      }
    }
    while (slug.endsWith('-')) slug.chop(1);
    return slug.isEmpty() ? QStringLiteral("untitled") : slug;
  }

  bool failed() const { return failed_; }

 private:
  static void Close(QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
      QAbstractButton* button = box->escapeButton();
      if (!button && !box->buttons().isEmpty()) button = box->buttons().back();
      if (button) {
        button->click();
        return;
      }
    }
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
      dialog->reject();
    } else {
      modal.close();
    }
  }

  QString dir_;
  std::set<QString> seen_;
  bool failed_ = false;
};

// Selects the first line of every list of the page, so that buttons acting on a line are live.
void SelectFirstLines(QWidget& page) {
  for (auto* list : page.findChildren<QAbstractItemView*>()) {
    if (list->model() && list->model()->rowCount() > 0) {
      list->setCurrentIndex(list->model()->index(0, 0));
    }
  }
}

void ShootSheet(Shooter& shooter, QtUiService& ui, const std::string& sample, bool citect) {
  config::CCfgMgr model;
  model.ReadWrite(sample, false);
  editor::CCfgPSheet sheet(&model, citect ? "product=citect" : "", ui);
  QTimer::singleShot(0, [&] {
    auto* view = qobject_cast<CfgPSheetView*>(QApplication::activeModalWidget());
    if (!view) return;
    view->adjustSize();
    // The Citect edition differs in its General page only.
    const int pages = citect ? 1 : editor::CCfgPSheet::kPageCount;
    for (int i = 0; i < pages; ++i) {
      view->tabs()->setCurrentIndex(i);
      QApplication::processEvents();
      const QString page = Shooter::Slug(ToQString(sheet.GetPage(i).Title()));
      shooter.Save(*view, "sheet-" + page + (citect ? "-citect" : ""));
      if (citect || !view->page_view(i)) continue;
      QWidget& widget = *view->tabs()->widget(i);
      SelectFirstLines(widget);
      for (auto* button : widget.findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(view) || !button->isEnabled()) continue;
        shooter.WhileWatching(view, [button] { button->click(); });
        SelectFirstLines(widget);
      }
    }
    view->reject();
  });
  ui.RunModal(sheet);
}

// Runs a presenter's window when it has a view, grabs it and closes it.
void ShootModal(Shooter& shooter, QtUiService& ui, ui::Window& presenter, const QString& name) {
  if (!ui.views().FindModal(presenter)) return;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window) return;
    shooter.Save(*window, name);
    if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
  });
  ui.RunModal(presenter);
}

// The add trend tags wizard, page by page, over a stand-in Citect installation of its own:
// Water's trend tags all selected and bound automatically. The stand-in folders are a scratch
// folder, so nothing of the user's is read or written.
void ShootWizard(Shooter& shooter, QtUiService& ui) {
  citect::CCitectAddTagPSheet sheet(ui);
  if (!ui.views().FindModal(sheet)) return;
  QTemporaryDir scratch;
  const std::filesystem::path root = scratch.path().toStdString();
  qputenv("KZDLOGSRV_WINDIR", (root / "windows").c_str());
  qputenv("KZDLOGSRV_REGISTRY", (root / "registry").c_str());
  test::CitectInstall install;
  install.user_folder = root / "citect/User";
  install.projects = {{"Water",
                       "",
                       {{"PumpFlow", "North_Flow"}, {"TankLevel", "North_Level"}, {"Spare", "S1"}},
                       {{"North_Flow", "North"}, {"North_Level", "North"}}},
                      {"Power", "", {{"FeederLoad", "South_Load"}}, {{"South_Load", "South"}}}};
  test::WriteCitectInstall(install);
  test::WriteKpjProject(root / "tool/Projects/Site.kpj",
                        {{{"North", test::KpjStationList::kZel, 12, {"Hourly"}}},
                         {{"Hourly", {}, {"Flow", "Level"}}}});
  platform::WritePrivateProfileString("Installation Directory", "Path32", (root / "tool").string(),
                                      "velmora.ini");
  QTimer::singleShot(0, [&] {
    auto* view = qobject_cast<CitectAddTagView*>(QApplication::activeModalWidget());
    if (!view) return;
    view->adjustSize();
    for (int page = 0; page < citect::CCitectAddTagPSheet::kPageCount; ++page) {
      QWidget& shown = *view->pages()->currentWidget();
      if (auto* projects = shown.findChild<QComboBox*>()) {
        projects->setCurrentIndex(projects->findText("Water"));
      }
      if (auto* table = shown.findChild<QTableView*>(); table && page == 1) table->selectAll();
      for (auto* radio : shown.findChildren<QRadioButton*>()) {
        if (radio->text().contains("Automatically")) radio->click();
      }
      QApplication::processEvents();
      shooter.Save(*view, QStringLiteral("wizard-page%1").arg(page + 1));
      shooter.WhileWatching(view, [view] { view->next_button()->click(); });
    }
    view->reject();
  });
  ui.RunModal(sheet);
}

// The trend configuration on the stand-in Citect installation beside the sample configuration
// (samples/citect, whose paths are relative to it), with one binding's tag name emptied so that
// its cell asks for attention; then its warnings, and the progress window as verification shows
// it. Nothing is saved.
void ShootTrendWindows(Shooter& shooter, QtUiService& ui, const char* sample_cfg) {
  const QString install =
      QFileInfo(QString::fromLocal8Bit(sample_cfg)).absoluteDir().filePath("citect");
  if (!QDir::setCurrent(install)) return;
  qputenv("KZDLOGSRV_WINDIR", QDir(install).filePath("windows").toLocal8Bit());
  qputenv("KZDLOGSRV_REGISTRY", QDir(install).filePath("registry").toLocal8Bit());

  citect::CCitectCfgDlg trend(ui);
  QTimer::singleShot(0, [&] {
    auto* view = dynamic_cast<CitectCfgDlgView*>(QApplication::activeModalWidget());
    if (!view) return;
    if (trend.grid()->GetNumberRows() > 0) {
      trend.grid()->OnEditFinish(0, citect::kCitectTagNameCol, "");
      view->Refresh();
    }
    shooter.Save(*view, "dialog-trend-configuration");
    shooter.WhileWatching(view, [view] { view->verify()->click(); });
    view->reject();
  });
  ui.RunModal(trend);

  projfiles::CCancelDlg progress(ui);
  progress.ShowProgress(false);
  progress.SetLine1(citect::kVerifyingTags);
  progress.SetLine2("Checking projects/site.kpj/north/hourly...");
  progress.Show();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->accessibleName() == "Progress") {
      shooter.Save(*window, "window-progress");
    }
  }
}

}  // namespace
}  // namespace kz::qtui

int main(int argc, char** argv) {
  using namespace kz;
  if (argc != 3 && argc != 4) {
    std::fputs("usage: kz_screenshots OUT_DIR SAMPLE_CFG [SAMPLE_KPJ]\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  qtui::QtUiService ui;
  qtui::Shooter shooter(QString::fromLocal8Bit(argv[1]));
  qtui::ShootSheet(shooter, ui, argv[2], false);
  qtui::ShootSheet(shooter, ui, argv[2], true);

  // A message box as the editor shows them.
  QTimer::singleShot(0, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      shooter.Save(*box, "message-box");
      qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
    }
  });
  ui.MessageBox(editor::CCfgPSheet::kNoPortQuestion, editor::CCfgPSheet::kWarningCaption,
                ui::Buttons::YesNo, ui::Icon::Question);

  // The dialogs that open only behind a file chooser or another dialog.
  config::CCfgMgr model;
  model.ReadWrite(argv[2], false);
  editor::CCfgPSheet sheet(&model, "", ui);
  editor::CRecStorageDlg storage(sheet);
  storage.m_strPath = "/srv/datalog/north_pump.csv";
  storage.m_nMode = 1;
  storage.m_nDailyTime = 37800;
  qtui::ShootModal(shooter, ui, storage, "dialog-record-storage-options");
  if (argc == 4) {
    editor::CAddFromFileDlg add(sheet, argv[3]);
    qtui::ShootModal(shooter, ui, add, "dialog-add-from-file");
  }

  qtui::ShootTrendWindows(shooter, ui, argv[2]);
  qtui::ShootWizard(shooter, ui);
  return shooter.failed() ? 1 : 0;
}
