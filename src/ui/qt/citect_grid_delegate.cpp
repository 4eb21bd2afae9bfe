#include "ui/qt/citect_grid_delegate.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTableView>

#include "citect/citect_tag_grid.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using citect::CCitectTagGrid;
using citect::CellKind;

namespace {

// The "..." of the button inside the project file editor, drawn in the editor's font.
QIcon EllipsisIcon(const QWidget& editor) {
  const QFontMetrics metrics(editor.font());
  const QString dots = QStringLiteral("...");
  const qreal ratio = editor.devicePixelRatioF();
  QPixmap pixmap(QSize(metrics.horizontalAdvance(dots) + 2, metrics.height()) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setFont(editor.font());
  painter.setPen(editor.palette().color(QPalette::ButtonText));
  painter.drawText(QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize()), Qt::AlignCenter,
                   dots);
  return QIcon(pixmap);
}

}  // namespace

CitectGridDelegate::CitectGridDelegate(CCitectTagGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), grid_(grid) {}

QString CitectGridDelegate::ShownText(const QModelIndex& index, const QFontMetrics& metrics,
                                      int width) const {
  return ToQString(grid_.GetShownText(
      index.row(), index.column(), width,
      [&metrics](std::string_view part) { return metrics.horizontalAdvance(ToQString(part)); },
      metrics.averageCharWidth()));
}

void CitectGridDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  int width = option->rect.width();
  if (const auto* table = qobject_cast<const QTableView*>(option->widget)) {
    width = table->columnWidth(index.column());
  }
  option->text = ShownText(index, option->fontMetrics, width);
}

QWidget* CitectGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                          const QModelIndex& index) const {
  const CellKind kind = grid_.GetCellKind(index.column());
  if (kind == CellKind::DropList) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);  // what is typed is what is stored
    for (const std::string& choice : grid_.GetDropListChoices(index.row(), index.column())) {
      // The choice's own bytes go to the record, whatever the widget made of them.
      combo->addItem(ToQString(choice), QByteArray::fromStdString(choice));
    }
    combo->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    QPointer<QComboBox> guard(combo);
    const QPersistentModelIndex at(index);
    connect(combo, &QComboBox::activated, this, [this, guard, at](int choice) {
      if (!guard) return;
      const std::string text = guard->itemData(choice).toByteArray().toStdString();
      auto* self = const_cast<CitectGridDelegate*>(this);
      self->EndEdit(guard, false);
      if (on_pick && at.isValid()) on_pick(at, text);
    });
    return combo;
  }
  if (kind == CellKind::Ellipsis) {
    auto* line = new QLineEdit(parent);
    line->setFrame(false);
    line->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    const QString keys = QString::fromLatin1(CCitectTagGrid::kChooseFileKeys);
    auto* choose = new QAction(EllipsisIcon(*line), keys, line);
    choose->setToolTip(keys);
    choose->setShortcuts({QKeySequence(Qt::Key_F4), QKeySequence(Qt::ALT | Qt::Key_Down)});
    choose->setShortcutContext(Qt::WidgetShortcut);
    // Also one of the line's own actions: its keys work while the line has focus.
    line->addAction(choose, QLineEdit::TrailingPosition);
    QPointer<QLineEdit> guard(line);
    const QPersistentModelIndex at(index);
    connect(choose, &QAction::triggered, this, [this, guard, at] {
      if (!guard) return;
      auto* self = const_cast<CitectGridDelegate*>(this);
      self->EndEdit(guard, true);
      if (on_ellipsis && at.isValid()) on_ellipsis(at);
    });
    return line;
  }
  return nullptr;
}

void CitectGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    combo->setEditText(text);
    // A typed character that opened the editor replaces the text.
    combo->lineEdit()->selectAll();
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(text);
    line->selectAll();
  }
}

void CitectGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, combo->currentText(), Qt::EditRole);
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    model->setData(index, line->text(), Qt::EditRole);
  }
}

void CitectGridDelegate::EndEdit(QWidget* editor, bool store) {
  if (store) emit commitData(editor);
  emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool CitectGridDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (editor && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Escape:
        // A cancelled edit keeps what was typed.
        if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->view()->isVisible()) {
          break;
        }
        EndEdit(editor, true);
        return true;
      case Qt::Key_Enter:
      case Qt::Key_Return:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        EndEdit(editor, true);  // at once, and on this cell
        return true;
      default:
        break;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace kz::qtui
