#include "ui/qt/cfg_page4_view.h"

#include <QAbstractTableModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "editor/cfg_page4.h"
#include "ui/qt/editor_view_support.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using editor::CCfgPage4;

// The presenter's rows as a read-only table; texts are converted only for the cells shown.
class TransferTableModel : public QAbstractTableModel {
 public:
  TransferTableModel(const CCfgPage4& page, QObject* parent)
      : QAbstractTableModel(parent), page_(page) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(page_.m_rows.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(page_.m_columns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto& cells = page_.m_rows[static_cast<std::size_t>(index.row())].cells;
    const auto column = static_cast<std::size_t>(index.column());
    return column < cells.size() ? ToQString(cells[column]) : QString();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<std::size_t>(section) >= page_.m_columns.size()) {
      return {};
    }
    return QString::fromLatin1(page_.m_columns[static_cast<std::size_t>(section)].title);
  }

  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  const CCfgPage4& page_;
};

CfgPage4View::CfgPage4View(CCfgPage4& presenter, QWidget* parent)
    : PageView(parent), presenter_(presenter) {
  controls_ = new QWidget(this);
  auto* label = new QLabel(QStringLiteral("&Transfers to allow:"), controls_);
  list_ = new QTableView(controls_);
  model_ = new TransferTableModel(presenter_, this);
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSortingEnabled(false);
  list_->setShowGrid(false);
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  // Fixed row heights from the font: no row is measured, so ten thousand transfers fill at once.
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() * 3 / 2);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setAccessibleName(QStringLiteral("Transfers to allow:"));
  label->setBuddy(list_);

  edit_ = new QPushButton(QStringLiteral("&Edit..."), controls_);
  remove_ = new QPushButton(QStringLiteral("&Remove"), controls_);
  auto* side = new QVBoxLayout;
  side->addWidget(edit_);
  side->addStretch(1);  // Remove stands apart
  side->addWidget(remove_);

  add_from_file_ = new QPushButton(QStringLiteral("Add From &File..."), controls_);
  add_custom_ = new QPushButton(QStringLiteral("Add &Custom..."), controls_);
  auto* adds = new QGridLayout;
  adds->addWidget(add_from_file_, 0, 0);
  adds->addWidget(new QLabel(QStringLiteral("(Stationcraft configured transfers)"), controls_), 0,
                  1);
  adds->addWidget(add_custom_, 1, 0);
  adds->addWidget(
      new QLabel(QStringLiteral("(Transfers not configured by the Stationcraft)"), controls_), 1,
      1);
  adds->setColumnStretch(1, 1);

  auto* grid = new QGridLayout(controls_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(label, 0, 0);
  grid->addWidget(list_, 1, 0);
  grid->addLayout(side, 1, 1);
  grid->addLayout(adds, 2, 0, 1, 2);
  grid->setRowStretch(1, 1);

  notice_ = new QLabel(QString::fromLatin1(CCfgPage4::kAutoAccept), this);
  notice_->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(controls_, 1);
  layout->addWidget(notice_, 1);

  setTabOrder(list_, edit_);
  setTabOrder(edit_, remove_);
  setTabOrder(remove_, add_from_file_);
  setTabOrder(add_from_file_, add_custom_);

  connect(edit_, &QPushButton::clicked, this, [this] { Handle([this] { presenter_.OnEdit(); }); });
  connect(list_, &QTableView::activated, this, [this] { Handle([this] { presenter_.OnEdit(); }); });
  connect(remove_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnRemove(); }); });
  connect(add_from_file_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnAddFromFile(); }); });
  connect(add_custom_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnAddCustom(); }); });

  Refresh();
}

template <typename F>
void CfgPage4View::Handle(F handler) {
  Collect();
  handler();
  Refresh();
}

// Column widths from the presenter's hints, in the list font's character widths, once per
// column set; the user's own resizing stays after that. The last column takes what is left.
void CfgPage4View::SizeColumns() {
  const int columns = static_cast<int>(presenter_.m_columns.size());
  if (columns == sized_columns_) return;
  sized_columns_ = columns;
  const int char_width = list_->fontMetrics().averageCharWidth();
  for (int i = 0; i + 1 < columns; ++i) {
    const int hint = presenter_.m_columns[static_cast<std::size_t>(i)].width;
    list_->setColumnWidth(i, hint * char_width / 6);
  }
}

void CfgPage4View::Refresh() {
  model_->Reset();
  SizeColumns();
  if (presenter_.m_nSelected >= 0 &&
      static_cast<std::size_t>(presenter_.m_nSelected) < presenter_.m_rows.size()) {
    list_->selectRow(presenter_.m_nSelected);
  } else {
    list_->clearSelection();
  }
  controls_->setVisible(presenter_.m_bShowControls);
  notice_->setVisible(presenter_.m_bShowAutoNotice);
  ApplyFocus(presenter_, {{CCfgPage4::kTransferList, list_},
                          {CCfgPage4::kEdit, edit_},
                          {CCfgPage4::kRemove, remove_},
                          {CCfgPage4::kAddFromFile, add_from_file_},
                          {CCfgPage4::kAddCustom, add_custom_}});
}

void CfgPage4View::Collect() {
  const QModelIndexList rows = list_->selectionModel()->selectedRows();
  presenter_.m_nSelected = rows.isEmpty() ? -1 : rows.front().row();
}

PageView* MakeCfgPage4View(CCfgPage4& presenter, QtUiService& /*ui*/, QWidget* parent) {
  return new CfgPage4View(presenter, parent);
}

}  // namespace kz::qtui
