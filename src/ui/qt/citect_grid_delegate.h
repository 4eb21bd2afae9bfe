// CitectGridDelegate: the trend tag grid's cell editors and cell texts. The project file column
// edits in a line with a "..." button (also F4 or Alt+Down) that asks for the file chooser, the
// station, datalog and tag name columns in an editable drop list filled from the presenter when
// the editor opens; the project file path is drawn compacted to its column. An edit always ends
// by storing its text, Escape included, and never moves on to another cell. Borrows the
// presenter (not owned); the editors belong to the table.
#pragma once

#include <QStyledItemDelegate>
#include <functional>
#include <string>

class QFontMetrics;

namespace kz::citect {
class CCitectTagGrid;
}

namespace kz::qtui {

class CitectGridDelegate : public QStyledItemDelegate {
 public:
  // The keys that open the project file chooser, for the button's and the cells' tool tips.
  static QString EllipsisKeysText();

  CitectGridDelegate(citect::CCitectTagGrid& grid, QObject* parent);

  // Called after the editor closed: the "..." button of `index`'s row, a drop-list pick.
  std::function<void(const QModelIndex& index)> on_ellipsis;
  std::function<void(const QModelIndex& index, const std::string& choice)> on_pick;

  // The text drawn in a cell `width` pixels wide: the path column's path compacted.
  QString ShownText(const QModelIndex& index, const QFontMetrics& metrics, int width) const;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void EndEdit(QWidget* editor, bool store);

  citect::CCitectTagGrid& grid_;
};

}  // namespace kz::qtui
