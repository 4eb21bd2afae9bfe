#include "ui/qt/citect_tag_grid_view.h"

#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "citect/citect_tag_grid.h"
#include "ui/qt/citect_grid_delegate.h"
#include "ui/qt/citect_grid_header.h"
#include "ui/qt/citect_tag_grid_model.h"

namespace kz::qtui {

using citect::CCitectTagGrid;

CitectTagGridView::CitectTagGridView(CCitectTagGrid& grid, QtUiService& /*ui*/, QWidget* parent)
    : QWidget(parent), grid_(grid) {
  table_ = new QTableView(this);
  model_ = new CitectTagGridModel(grid_, this);
  header_ = new CitectGridHeader(table_);
  delegate_ = new CitectGridDelegate(grid_, this);
  table_->setHorizontalHeader(header_);
  table_->setModel(model_);
  table_->setItemDelegate(delegate_);
  table_->setAccessibleName(QStringLiteral("Trend tags"));
  // The presenter's row order is the one truth: the table never sorts by itself.
  table_->setSortingEnabled(false);
  // Tab leaves the grid; the arrows move inside it.
  table_->setTabKeyNavigation(false);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() * 3 / 2);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
  setFocusProxy(table_);

  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &CitectTagGridView::OnSelectionChanged);
  header_->on_title_click = [this](int section) { OnTitleClicked(section); };
  delegate_->on_ellipsis = [this](const QModelIndex& index) { OnEllipsis(index.row()); };
  delegate_->on_pick = [this](const QModelIndex& index, const std::string& text) {
    OnPick(index.row(), index.column(), text);
  };

  Refresh();
}

QTableView* CitectTagGridView::table() {
  return table_;
}

void CitectTagGridView::Refresh() {
  if (!grid_.m_bUpdatesEnabled) return;
  const QModelIndex current = table_->currentIndex();
  restoring_ = true;
  model_->Reset();
  ApplySettings();
  ApplyWidths();
  if (current.isValid() && current.row() < model_->rowCount() &&
      current.column() < model_->columnCount()) {
    table_->selectionModel()->setCurrentIndex(model_->index(current.row(), current.column()),
                                              QItemSelectionModel::NoUpdate);
  }
  RestoreSelection();
  restoring_ = false;
}

void CitectTagGridView::ApplySettings() {
  table_->setSelectionMode(grid_.m_bMultiSelect ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection);
  table_->setSelectionBehavior(grid_.m_bHighlightRow ? QAbstractItemView::SelectRows
                                                     : QAbstractItemView::SelectItems);
  header_->SetSortArrow(grid_.GetSortColumn(), grid_.IsSortAscending());
}

// The presenter's widths, whenever they change; the user's own resizing stays until then.
void CitectTagGridView::ApplyWidths() {
  std::vector<int> widths(static_cast<std::size_t>(grid_.GetNumberCols()));
  for (int col = 0; col < grid_.GetNumberCols(); ++col) widths[col] = grid_.GetColWidth(col);
  if (widths == applied_widths_) return;
  applied_widths_ = widths;
  for (int col = 0; col < grid_.GetNumberCols(); ++col) table_->setColumnWidth(col, widths[col]);
}

// The presenter's selection, as far as its cells still exist, back into the table.
void CitectTagGridView::RestoreSelection() {
  grid_.DropVanishedSelection();
  QItemSelection selection;
  for (const CCitectTagGrid::Cell& cell : grid_.m_selection) {
    const QModelIndex index = model_->index(cell.row, cell.col);
    selection.select(index, index);
  }
  QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
  if (grid_.m_bHighlightRow) flags |= QItemSelectionModel::Rows;
  table_->selectionModel()->select(selection, flags);
}

void CitectTagGridView::OnSelectionChanged(const QItemSelection& selected,
                                           const QItemSelection& deselected) {
  if (restoring_) return;
  for (const QItemSelectionRange& r : deselected) {
    grid_.OnCellsDeselected(r.top(), r.left(), r.bottom(), r.right());
  }
  for (const QItemSelectionRange& r : selected) {
    grid_.OnCellsSelected(r.top(), r.left(), r.bottom(), r.right());
  }
}

void CitectTagGridView::OnTitleClicked(int section) {
  grid_.OnTitleClick(section);
  Refresh();
}

void CitectTagGridView::OnEllipsis(int row) {
  grid_.OnEllipsis(row);
  Refresh();
}

void CitectTagGridView::OnPick(int row, int col, const std::string& text) {
  grid_.OnDropListChoice(row, col, text);
  Refresh();
}

bool CitectTagGridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      OnTableKey(*static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// Keys of the table outside an editor: Space selects (Ctrl+Space toggles) instead of starting
// an edit; F4 and Alt+Down do what the presenter says for the cell.
bool CitectTagGridView::OnTableKey(const QKeyEvent& key) {
  const QModelIndex current = table_->currentIndex();
  // Keys an open editor passes up are not the table's.
  if (!current.isValid() || !table_->hasFocus()) return false;
  if (key.key() == Qt::Key_Space) {
    QItemSelectionModel::SelectionFlags flags = key.modifiers() & Qt::ControlModifier
                                                    ? QItemSelectionModel::Toggle
                                                    : QItemSelectionModel::ClearAndSelect;
    if (grid_.m_bHighlightRow) flags |= QItemSelectionModel::Rows;
    table_->selectionModel()->select(current, flags);
    return true;
  }
  const bool open = (key.key() == Qt::Key_F4 && key.modifiers() == Qt::NoModifier) ||
                    (key.key() == Qt::Key_Down && key.modifiers() == Qt::AltModifier);
  if (!open) return false;
  switch (grid_.GetOpenKeyAction(current.row(), current.column())) {
    case CCitectTagGrid::OpenKeyAction::ChooseFile:
      OnEllipsis(current.row());
      return true;
    case CCitectTagGrid::OpenKeyAction::ShowDropList:
      table_->edit(current);
      if (auto* combo = qobject_cast<QComboBox*>(table_->indexWidget(current))) {
        combo->showPopup();
      }
      return true;
    case CCitectTagGrid::OpenKeyAction::None:
      return false;
  }
  return false;
}

}  // namespace kz::qtui
