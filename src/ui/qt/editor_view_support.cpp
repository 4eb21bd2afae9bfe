#include "ui/qt/editor_view_support.h"

#include <QDialog>
#include <QPushButton>
#include <utility>

#include "editor/editor_dialog.h"

namespace kz::qtui {

QDialogButtonBox* MakeDialogButtons(QDialog& dialog, std::function<bool()> ok,
                                    std::function<void()> help) {
  auto* box = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, &dialog);
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, [&dialog, ok = std::move(ok)] {
    if (ok()) dialog.accept();
  });
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(box, &QDialogButtonBox::helpRequested, &dialog, std::move(help));
  return box;
}

void ApplyFocus(editor::CEditorDialog& presenter, const std::map<int, QWidget*>& controls) {
  const auto it = controls.find(presenter.focus());
  presenter.ClearFocus();
  if (it != controls.end() && it->second) it->second->setFocus(Qt::OtherFocusReason);
}

}  // namespace kz::qtui
