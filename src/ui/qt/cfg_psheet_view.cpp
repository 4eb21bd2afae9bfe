#include "ui/qt/cfg_psheet_view.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/property_page.h"
#include "ui/qt/page_view.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {

CfgPSheetView::CfgPSheetView(editor::CCfgPSheet& sheet, QtUiService& ui, QWidget* parent)
    : QDialog(parent),
      sheet_(sheet),
      tabs_(new QTabWidget(this)),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this)) {
  setWindowTitle(ToQString(editor::CCfgPSheet::kCaption));
  setSizeGripEnabled(true);
  // Every tab's title in sight, as a property sheet shows them: the window is as wide as they are.
  tabs_->setUsesScrollButtons(false);

  for (int i = 0; i < editor::CCfgPSheet::kPageCount; ++i) {
    editor::CPropertyPage& page = sheet_.GetPage(i);
    QWidget* widget = nullptr;
    if (const auto* make = ui.views().FindPage(page)) {
      pages_[static_cast<std::size_t>(i)] = (*make)(page, ui, tabs_);
      widget = pages_[static_cast<std::size_t>(i)];
    }
    if (!widget) widget = new QWidget(tabs_);
    tabs_->addTab(widget, ToQString(page.Title()));
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons_);

  connect(tabs_, &QTabWidget::currentChanged, this, &CfgPSheetView::OnTabChanged);
  connect(buttons_, &QDialogButtonBox::accepted, this, &CfgPSheetView::OnOk);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons_, &QDialogButtonBox::helpRequested, this, [this] { sheet_.OnHelp(); });

  sheet_.OnInitDialog();
  ShowTab(sheet_.GetActiveIndex());
  RefreshPages();
}

void CfgPSheetView::ShowTab(int index) {
  showing_ = true;
  tabs_->setCurrentIndex(index);
  showing_ = false;
}

void CfgPSheetView::CollectActive() {
  if (PageView* view = page_view(sheet_.GetActiveIndex())) view->Collect();
}

void CfgPSheetView::RefreshPages() {
  for (int i = 0; i < editor::CCfgPSheet::kPageCount; ++i) {
    PageView* view = page_view(i);
    if (view && sheet_.GetPage(i).initialized()) view->Refresh();
  }
}

void CfgPSheetView::OnTabChanged(int index) {
  if (showing_) return;
  const int active = sheet_.GetActiveIndex();
  if (index == active) return;
  // The page being left stays in sight while it checks itself (and may say why it stays).
  ShowTab(active);
  CollectActive();
  if (sheet_.SetActivePage(index)) ShowTab(index);
  RefreshPages();
}

void CfgPSheetView::OnOk() {
  CollectActive();
  if (sheet_.OnOK()) {
    accept();
    return;
  }
  RefreshPages();
}

ui::DialogResult RunCfgPSheetView(editor::CCfgPSheet& sheet, QtUiService& ui) {
  CfgPSheetView view(sheet, ui, ui.BusyWindow());
  return view.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

}  // namespace kz::qtui
