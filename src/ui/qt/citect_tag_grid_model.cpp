#include "ui/qt/citect_tag_grid_model.h"

#include <QBrush>
#include <QColor>

#include "citect/citect_tag_grid.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using citect::CCitectTagGrid;
using citect::CellKind;

namespace {

QColor FromRgb(std::uint32_t rgb) {
  return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

CitectTagGridModel::CitectTagGridModel(CCitectTagGrid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      rows_(grid.GetNumberRows()),
      cols_(grid.GetNumberCols()) {}

int CitectTagGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int CitectTagGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant CitectTagGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
      return ToQString(grid_.GetText(row, col));
    case Qt::ToolTipRole: {
      const std::string tip = grid_.GetToolTip(row, col);
      return tip.empty() ? QVariant() : QVariant(ToQString(tip));
    }
    case Qt::BackgroundRole:
      if (grid_.WantsAttention(row, col)) return QBrush(FromRgb(citect::kAttentionBackground));
      return {};
    case Qt::ForegroundRole:
      if (grid_.WantsAttention(row, col)) return QBrush(FromRgb(citect::kAttentionText));
      return {};
    default:
      return {};
  }
}

bool CitectTagGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const std::string& before = grid_.GetText(index.row(), index.column());
  grid_.OnEditFinish(index.row(), index.column(), FromQString(value.toString(), before));
  // The whole row: a cell's colour may follow another field in other layouts.
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  return true;
}

Qt::ItemFlags CitectTagGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (grid_.GetCellKind(index.column()) != CellKind::ReadOnly) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant CitectTagGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= grid_.GetNumberCols()) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(grid_.GetColumn(section).GetHeading());
    case kGroupLabelRole:
      return ToQString(grid_.GetGroupLabel(section));
    case Qt::AccessibleDescriptionRole:
      return ToQString(grid_.GetGroupLabel(section));
    default:
      return {};
  }
}

void CitectTagGridModel::Reset() {
  beginResetModel();
  rows_ = grid_.GetNumberRows();
  cols_ = grid_.GetNumberCols();
  endResetModel();
}

}  // namespace kz::qtui
