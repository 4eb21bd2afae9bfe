// The frame of the wizard's page views, and its form pages: the Citect project (page 1) and the
// binding mode (page 3).
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/citect_add_tag_page_views.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

using citect::CCitectAddTagPage1;
using citect::CCitectAddTagPage3;

class Page1View : public WizardPageView {
 public:
  Page1View(CCitectAddTagPage1& page, QWidget* parent) : WizardPageView(page, parent), page_(page) {
    QFormLayout* form = AddForm();
    projects_ = new QComboBox(this);
    auto* label = new QLabel(tr("Citect &project:"), this);
    label->setBuddy(projects_);
    form->addRow(label, projects_);
    info_ = new QLabel(this);
    info_->setWordWrap(true);
    info_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(info_);
    setFocusProxy(projects_);
  }

  void Refresh() override {
    QStringList items;
    for (const auto& name : page_.m_projects) items << ToQString(name);
    if (shown_ != items) {
      projects_->clear();
      projects_->addItems(items);
      shown_ = items;
    }
    projects_->setCurrentIndex(page_.m_nSelected);
    info_->setText(ToQString(page_.m_strInfo));
  }

  void Collect() override { page_.m_nSelected = projects_->currentIndex(); }

 private:
  CCitectAddTagPage1& page_;
  QComboBox* projects_;
  QLabel* info_;
  QStringList shown_;
};

class Page3View : public WizardPageView {
 public:
  Page3View(CCitectAddTagPage3& page, QWidget* parent) : WizardPageView(page, parent), page_(page) {
    manual_ = new QRadioButton(tr("&Manually resolve tags"), this);
    automatic_ = new QRadioButton(tr("&Automatically resolve tags"), this);
    auto* modes = new QButtonGroup(this);
    modes->addButton(manual_, CCitectAddTagPage3::kManual);
    modes->addButton(automatic_, CCitectAddTagPage3::kAutomatic);
    column()->addWidget(manual_);
    column()->addWidget(automatic_);

    folder_ = new QLineEdit(this);
    folder_->setReadOnly(true);
    browse_ = new QPushButton(tr("B&rowse..."), this);
    label_ = new QLabel(tr("Project file &location (*.kpj):"), this);
    label_->setBuddy(folder_);
    auto* row = new QHBoxLayout;
    row->addWidget(folder_, 1);
    row->addWidget(browse_);
    AddForm()->addRow(label_, row);

    connect(modes, &QButtonGroup::idClicked, this,
            [this] { Forward([this] { page_.OnModeClicked(); }); });
    connect(browse_, &QPushButton::clicked, this,
            [this] { Forward([this] { page_.OnBrowse(); }); });
  }

  void Refresh() override {
    const bool automatic = page_.m_nResolveMode == CCitectAddTagPage3::kAutomatic;
    (automatic ? automatic_ : manual_)->setChecked(true);
    setFocusProxy(automatic ? automatic_ : manual_);
    folder_->setText(ToQString(page_.m_strFolderDisplay));
    for (QWidget* w : {static_cast<QWidget*>(label_), static_cast<QWidget*>(folder_),
                       static_cast<QWidget*>(browse_)}) {
      w->setEnabled(page_.m_bFolderEnabled);
    }
  }

  // The folder display is read-only: only the mode comes back.
  void Collect() override {
    page_.m_nResolveMode =
        automatic_->isChecked() ? CCitectAddTagPage3::kAutomatic : CCitectAddTagPage3::kManual;
  }

 private:
  CCitectAddTagPage3& page_;
  QRadioButton* manual_;
  QRadioButton* automatic_;
  QLabel* label_;
  QLineEdit* folder_;
  QPushButton* browse_;
};

}  // namespace

WizardPageView::WizardPageView(const citect::CCitectWizardPage& page, QWidget* parent)
    : PageView(parent), column_(new QVBoxLayout(this)) {
  auto* intro = new QLabel(ToQString(page.IntroText()), this);
  intro->setWordWrap(true);
  column_->addWidget(intro);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  column_->addWidget(line);
}

QFormLayout* WizardPageView::AddForm() {
  auto* form = new QFormLayout;
  column_->addLayout(form);
  column_->addStretch(1);
  return form;
}

void WizardPageView::Forward(const std::function<void()>& handler) {
  Collect();
  handler();
  Refresh();
}

PageView* MakeCitectAddTagPage1View(CCitectAddTagPage1& page, QtUiService& /*ui*/,
                                    QWidget* parent) {
  return new Page1View(page, parent);
}

PageView* MakeCitectAddTagPage3View(CCitectAddTagPage3& page, QtUiService& /*ui*/,
                                    QWidget* parent) {
  return new Page3View(page, parent);
}

}  // namespace kz::qtui
