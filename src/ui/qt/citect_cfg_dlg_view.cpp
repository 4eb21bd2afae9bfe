#include "ui/qt/citect_cfg_dlg_view.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "citect/citect_cfg_dlg.h"
#include "ui/qt/citect_tag_grid_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {

using citect::CCitectCfgDlg;

CitectCfgDlgView::CitectCfgDlgView(CCitectCfgDlg& presenter, QtUiService& ui, QWidget* parent)
    : EditorDialogView(parent), presenter_(presenter) {
  setWindowTitle(QString::fromLatin1(CCitectCfgDlg::kCaption));
  setSizeGripEnabled(true);
  presenter_.OnInitDialog();

  auto* explanation = new QLabel(QString::fromLatin1(CCitectCfgDlg::kExplanation), this);
  explanation->setWordWrap(true);
  grid_ = new CitectTagGridView(*presenter_.grid(), ui, this);

  add_new_ = new QPushButton(QStringLiteral("&Add New..."), this);
  verify_ = new QPushButton(QStringLiteral("&Verify Tags"), this);
  remove_ = new QPushButton(QStringLiteral("&Remove"), this);
  auto* actions = new QHBoxLayout;
  actions->addWidget(add_new_);
  actions->addWidget(verify_);
  actions->addStretch(1);
  actions->addWidget(remove_);  // destructive: apart from the others

  auto* box = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addWidget(grid_, 1);
  layout->addLayout(actions);
  layout->addWidget(box);

  connect(add_new_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnAddNew(); }); });
  connect(remove_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnRemove(); }); });
  connect(verify_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnVerifyTags(); }); });
  connect(box, &QDialogButtonBox::accepted, this, [this] {
    bool accepted = false;
    Handle([&] { accepted = presenter_.OnOK(); });
    if (accepted) accept();
  });
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(box, &QDialogButtonBox::helpRequested, this, [this] { presenter_.OnHelp(); });

  // Room for the six columns and a screenful of rows at the user's font.
  const QFontMetrics metrics = fontMetrics();
  resize(metrics.averageCharWidth() * 100, metrics.height() * 28);
  grid_->setFocus();
}

void CitectCfgDlgView::Refresh() {
  grid_->Refresh();
}

ui::DialogResult RunCitectCfgDlgView(CCitectCfgDlg& presenter, QtUiService& ui) {
  CitectCfgDlgView view(presenter, ui, ui.BusyWindow());
  return view.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

}  // namespace kz::qtui
