// CitectTagGridView: the trend tag grid on screen, for the trend configuration dialog and the
// add trend tags wizard to embed. A table view over a model that reads the presenter
// (CCitectTagGrid) cell by cell; it keeps the presenter's selection (m_selection) in step with
// the table's, forwards edits, drop-list picks, the project file button and heading clicks to
// the presenter, and redraws from it. Borrows the presenter and the UI service (not owned); the
// table, its model, heading and editors are child objects.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QItemSelection;
class QKeyEvent;
class QTableView;

namespace kz::citect {
class CCitectTagGrid;
}

namespace kz::qtui {

class QtUiService;
class CitectGridDelegate;
class CitectGridHeader;
class CitectTagGridModel;

class CitectTagGridView : public QWidget {
 public:
  // Shows `grid` (not owned; it must outlive the view).
  CitectTagGridView(citect::CCitectTagGrid& grid, QtUiService& ui, QWidget* parent);

  // Re-reads rows and cells from the presenter (after ReloadTags, edits, sorting), unless the
  // presenter's updates are switched off.
  void Refresh();
  QTableView* table();  // for tests and focus

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplySettings();
  void ApplyWidths();
  void RestoreSelection();
  void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  void OnTitleClicked(int section);
  void OnEllipsis(int row);
  void OnPick(int row, int col, const std::string& text);
  bool OnTableKey(const QKeyEvent& key);

  citect::CCitectTagGrid& grid_;
  CitectTagGridModel* model_ = nullptr;
  CitectGridHeader* header_ = nullptr;
  CitectGridDelegate* delegate_ = nullptr;
  QTableView* table_ = nullptr;
  bool restoring_ = false;  // selection changes made by Refresh are not the user's
  std::vector<int> applied_widths_;
};

}  // namespace kz::qtui
