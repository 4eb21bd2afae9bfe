// CitectTagGridModel: the trend tag grid presenter's rows and columns as a Qt table model. It
// copies nothing: every cell is read from the presenter when Qt asks for it, and every edit goes
// to the presenter's OnEditFinish. Borrows the presenter (not owned).
#pragma once

#include <QAbstractTableModel>

namespace kz::citect {
class CCitectTagGrid;
}

namespace kz::qtui {

class CitectTagGridModel : public QAbstractTableModel {
 public:
  // The heading's group label (Qt::UserRole on the horizontal header).
  static constexpr int kGroupLabelRole = Qt::UserRole;

  CitectTagGridModel(citect::CCitectTagGrid& grid, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Display and edit roles give the whole text; the path column is compacted when painted.
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Everything may have changed: rows, their order, texts. The row and column counts are
  // taken from the presenter here only, so the table never sees them change unannounced.
  void Reset();
  citect::CCitectTagGrid& grid() const { return grid_; }

 private:
  citect::CCitectTagGrid& grid_;
  int rows_ = 0;
  int cols_ = 0;
};

}  // namespace kz::qtui
