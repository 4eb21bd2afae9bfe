// What the views of the configuration editor's dialogs share: the copy between presenter and
// widgets around every handler, the OK/Cancel/Help row, moving the keyboard focus where the
// presenter's last handler asked for it, and running the dialog modally.
#pragma once

#include <QApplication>
#include <QDialog>
#include <functional>
#include <map>

#include "ui/ui_service.h"

class QBoxLayout;
class QLabel;
class QFormLayout;
class QPushButton;

namespace kz::editor {
class CEditorDialog;
}

namespace kz::qtui {

// Focuses the widget of the presenter's focus control, if any, and clears the request.
void ApplyFocus(editor::CEditorDialog& presenter, const std::map<int, QWidget*>& controls);

class EditorDialogView : public QDialog {
 public:
  using QDialog::QDialog;
  // Presenter -> widgets, after every handler.
  virtual void Refresh() = 0;
  // Widgets -> presenter, before every handler.
  virtual void Collect() = 0;

 protected:
  // Collect, run the presenter's handler, show what it changed.
  void Handle(const std::function<void()>& handler);
  // Appends OK (accepts when `ok` allows), Cancel and Help to `layout`.
  void AddButtons(QBoxLayout& layout, std::function<bool()> ok, std::function<void()> help);
};

// The row "Store records in file:" of the transfer dialogs: the storage summary and "Edit...".
struct StorageRow {
  QLabel* label = nullptr;
  QLabel* summary = nullptr;
  QPushButton* edit = nullptr;
  void SetVisible(bool visible) const;
};
StorageRow AddStorageRow(QWidget& parent, QFormLayout& form);

// Runs a view of `presenter` modally over the active window.
template <typename View, typename Presenter>
ui::DialogResult RunDialogView(Presenter& presenter) {
  View view(presenter, QApplication::activeWindow());
  return view.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

}  // namespace kz::qtui
