// CitectAddTagView: the window of the add trend tags wizard, "Wizard": the pages one at a time,
// each under its own text, with Back, Next, Finish, Cancel and Help below. It only binds: the
// sheet presenter decides which buttons a page offers, whether a page may be left or the wizard
// cancelled, and which help topic to open; while resolution runs the sheet switches the wizard off
// and the view takes no input (the progress window keeps its Cancel).
//
// Each page's view is made through the ViewRegistry (a page without a view in this build shows an
// empty widget). The view owns its widgets; the sheet presenter and the UI service are borrowed
// and outlive it.
#pragma once

#include <QDialog>
#include <array>

#include "citect/citect_add_tag_psheet.h"
#include "ui/ui_service.h"

class QDialogButtonBox;
class QPushButton;
class QStackedWidget;

namespace kz::qtui {

class PageView;
class QtUiService;

class CitectAddTagView : public QDialog {
  Q_OBJECT

 public:
  // Builds the window and shows the first page (sheet.OnInitDialog).
  CitectAddTagView(citect::CCitectAddTagPSheet& sheet, QtUiService& ui, QWidget* parent);
  ~CitectAddTagView() override;

  QStackedWidget* pages() const { return pages_; }
  // The view of a page; null for a page without a view.
  PageView* page_view(int index) const { return views_.at(static_cast<std::size_t>(index)); }
  QPushButton* back_button() const { return back_; }
  QPushButton* next_button() const { return next_; }
  QPushButton* finish_button() const { return finish_; }
  QDialogButtonBox* buttons() const { return buttons_; }

  // Cancel, Escape and the window's close button, when the sheet lets the wizard close.
  void reject() override;
  // Room for the grids' columns and a long folder, in the font's own measure.
  QSize sizeHint() const override;

 private:
  void OnNext();
  void OnBack();
  void OnFinish();
  void CollectActive();
  // Shows the sheet's active page with its buttons, refreshed, with the keyboard focus in it.
  void ShowActive();

  citect::CCitectAddTagPSheet& sheet_;
  QWidget* body_;
  QStackedWidget* pages_;
  QDialogButtonBox* buttons_;
  QPushButton* back_;
  QPushButton* next_;
  QPushButton* finish_;
  std::array<PageView*, citect::CCitectAddTagPSheet::kPageCount> views_{};
};

// Runs the wizard's window modally over the busy window; Ok when Finish closed it.
ui::DialogResult RunCitectAddTagView(citect::CCitectAddTagPSheet& sheet, QtUiService& ui);

}  // namespace kz::qtui
