// CfgPSheetView: the window of the configuration sheet, "Configure Datalog Server": a tab per page
// of the sheet, in the sheet's order, and OK, Cancel and Help. It only binds: the sheet presenter
// decides whether a tab may be left, whether OK may close, and which help topic to open.
//
// Each tab holds the page's view, made through the ViewRegistry (a page without a view in this
// build shows an empty widget). The view owns its widgets; the sheet presenter and the UI service
// are borrowed and outlive it.
#pragma once

#include <QDialog>
#include <array>

#include "editor/cfg_psheet.h"
#include "ui/ui_service.h"

class QTabWidget;
class QDialogButtonBox;

namespace kz::qtui {

class PageView;
class QtUiService;

class CfgPSheetView : public QDialog {
  Q_OBJECT

 public:
  // Builds the window and activates the sheet's start page (sheet.OnInitDialog).
  CfgPSheetView(editor::CCfgPSheet& sheet, QtUiService& ui, QWidget* parent);

  QTabWidget* tabs() const { return tabs_; }
  QDialogButtonBox* buttons() const { return buttons_; }
  // The view of a tab; null for a page without a view.
  PageView* page_view(int index) const { return pages_.at(static_cast<std::size_t>(index)); }

 private:
  void OnTabChanged(int index);
  void OnOk();
  void ShowTab(int index);
  void CollectActive();
  void RefreshPages();

  editor::CCfgPSheet& sheet_;
  QTabWidget* tabs_;
  QDialogButtonBox* buttons_;
  std::array<PageView*, editor::CCfgPSheet::kPageCount> pages_{};
  bool showing_ = false;  // the view itself moves the tabs
};

// Runs the sheet's window modally over the busy window; Ok when it closed with OK.
ui::DialogResult RunCfgPSheetView(editor::CCfgPSheet& sheet, QtUiService& ui);

}  // namespace kz::qtui
