#include "ui/qt/editor_view_support.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "editor/editor_dialog.h"

namespace kz::qtui {

void ApplyFocus(editor::CEditorDialog& presenter, const std::map<int, QWidget*>& controls) {
  const auto it = controls.find(presenter.focus());
  presenter.ClearFocus();
  if (it != controls.end() && it->second) it->second->setFocus(Qt::OtherFocusReason);
}

void EditorDialogView::Handle(const std::function<void()>& handler) {
  Collect();
  handler();
  Refresh();
}

void EditorDialogView::AddButtons(QBoxLayout& layout, std::function<bool()> ok,
                                  std::function<void()> help) {
  auto* box = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  connect(box, &QDialogButtonBox::accepted, this, [this, ok = std::move(ok)] {
    bool accepted = false;
    Handle([&] { accepted = ok(); });
    if (accepted) accept();
  });
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(box, &QDialogButtonBox::helpRequested, this, std::move(help));
  layout.addStretch(1);
  layout.addWidget(box);
}

void StorageRow::SetVisible(bool visible) const {
  label->setVisible(visible);
  summary->setVisible(visible);
  edit->setVisible(visible);
}

StorageRow AddStorageRow(QWidget& parent, QFormLayout& form) {
  StorageRow row;
  row.label = new QLabel(QStringLiteral("Store records in file:"), &parent);
  row.summary = new QLabel(&parent);
  row.summary->setWordWrap(true);
  row.summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row.summary->setAccessibleName(row.label->text());
  row.edit = new QPushButton(QStringLiteral("&Edit..."), &parent);
  row.edit->setAccessibleName(QStringLiteral("Edit record storage"));
  auto* line = new QHBoxLayout;
  line->addWidget(row.summary, 1);
  line->addWidget(row.edit, 0, Qt::AlignTop);
  form.addRow(row.label, line);
  return row;
}

}  // namespace kz::qtui
