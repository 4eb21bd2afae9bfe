#include "ui/qt/citect_add_tag_view.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/qt/page_view.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using citect::CCitectAddTagPSheet;

CitectAddTagView::CitectAddTagView(CCitectAddTagPSheet& sheet, QtUiService& ui, QWidget* parent)
    : QDialog(parent), sheet_(sheet), body_(new QWidget(this)) {
  setWindowTitle(ToQString(CCitectAddTagPSheet::kCaption));
  setSizeGripEnabled(true);

  // The buttons come first in the focus chain, which is a ring: the pages' controls, grids made
  // later included, then lead to Back, Next, Finish, Cancel and Help, as they are seen.
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Cancel | QDialogButtonBox::Help, body_);
  back_ = buttons_->addButton(tr("< &Back"), QDialogButtonBox::ActionRole);
  next_ = buttons_->addButton(tr("&Next >"), QDialogButtonBox::ActionRole);
  finish_ = buttons_->addButton(tr("&Finish"), QDialogButtonBox::ActionRole);

  pages_ = new QStackedWidget(body_);
  for (int i = 0; i < CCitectAddTagPSheet::kPageCount; ++i) {
    citect::CCitectWizardPage& page = sheet_.GetPage(i);
    QWidget* widget = nullptr;
    if (const auto* make = ui.views().FindPage(page)) {
      views_[static_cast<std::size_t>(i)] = (*make)(page, ui, pages_);
      widget = views_[static_cast<std::size_t>(i)];
    }
    pages_->addWidget(widget ? widget : new QWidget(pages_));
  }

  auto* body_layout = new QVBoxLayout(body_);
  body_layout->setContentsMargins(0, 0, 0, 0);
  body_layout->addWidget(pages_, 1);
  body_layout->addWidget(buttons_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(body_);

  connect(back_, &QPushButton::clicked, this, &CitectAddTagView::OnBack);
  connect(next_, &QPushButton::clicked, this, &CitectAddTagView::OnNext);
  connect(finish_, &QPushButton::clicked, this, &CitectAddTagView::OnFinish);
  connect(buttons_, &QDialogButtonBox::rejected, this, &CitectAddTagView::reject);
  connect(buttons_, &QDialogButtonBox::helpRequested, this, [this] { sheet_.OnHelp(); });
  sheet_.SetEnabledListener([this](bool enabled) { body_->setEnabled(enabled); });

  sheet_.OnInitDialog();
  ShowActive();
}

CitectAddTagView::~CitectAddTagView() {
  sheet_.SetEnabledListener({});
}

void CitectAddTagView::reject() {
  if (sheet_.OnCancel()) QDialog::reject();
}

QSize CitectAddTagView::sizeHint() const {
  const QFontMetrics metrics = fontMetrics();
  return QDialog::sizeHint().expandedTo(QSize(metrics.averageCharWidth() * 90, 0));
}

void CitectAddTagView::CollectActive() {
  if (PageView* view = page_view(sheet_.GetActiveIndex())) view->Collect();
}

void CitectAddTagView::ShowActive() {
  const int active = sheet_.GetActiveIndex();
  // Going back to the trend tags empties the last page too: every page shown is redrawn.
  for (int i = 0; i < CCitectAddTagPSheet::kPageCount; ++i) {
    PageView* view = page_view(i);
    if (view && sheet_.GetPage(i).initialized()) view->Refresh();
  }
  pages_->setCurrentIndex(active);

  const int offered = sheet_.GetWizardButtons();
  const bool finish = (offered & CCitectAddTagPSheet::kWizFinish) != 0;
  back_->setEnabled((offered & CCitectAddTagPSheet::kWizBack) != 0);
  // Finish takes Next's place on the last page, as wizards do.
  next_->setVisible(!finish);
  next_->setEnabled((offered & CCitectAddTagPSheet::kWizNext) != 0);
  finish_->setVisible(finish);
  (finish ? finish_ : next_)->setDefault(true);
  pages_->currentWidget()->setFocus();
}

void CitectAddTagView::OnNext() {
  CollectActive();
  sheet_.OnWizardNext();
  ShowActive();
}

void CitectAddTagView::OnBack() {
  CollectActive();
  sheet_.OnWizardBack();
  ShowActive();
}

void CitectAddTagView::OnFinish() {
  CollectActive();
  if (sheet_.OnWizardFinish()) accept();
}

ui::DialogResult RunCitectAddTagView(CCitectAddTagPSheet& sheet, QtUiService& ui) {
  CitectAddTagView view(sheet, ui, ui.BusyWindow());
  return view.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

}  // namespace kz::qtui
