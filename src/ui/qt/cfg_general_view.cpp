#include "ui/qt/cfg_general_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/cfg_general_page.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using editor::CCfgGeneralPage;

GeneralPageView::GeneralPageView(CCfgGeneralPage& page, QWidget* parent)
    : PageView(parent), page_(page) {}

QGroupBox* GeneralPageView::BuildModeGroup() {
  auto* group = new QGroupBox(tr("Client connection mode:"), this);
  auto* layout = new QVBoxLayout(group);
  mode_group_ = new QButtonGroup(group);
  const QString texts[] = {tr("&Only allow specified stations to log data"),
                           tr("&Allow new clients to automatically connect/log data")};
  for (int i = 0; i < 2; ++i) {
    mode_buttons_[i] = new QRadioButton(texts[i], group);
    mode_group_->addButton(mode_buttons_[i], i);
    layout->addWidget(mode_buttons_[i]);
  }
  connect(mode_group_, &QButtonGroup::idClicked, this,
          [this] { Forward([this] { page_.OnModeClicked(); }); });
  return group;
}

QGroupBox* GeneralPageView::BuildClockGroup() {
  auto* group = new QGroupBox(tr("Clock adjustments:"), this);
  auto* form = new QFormLayout(group);
  set_clock_ = new QCheckBox(tr("Set station's &clock when out of tolerance:"), group);
  tolerance_ = new QLineEdit(group);
  tolerance_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), tolerance_));
  seconds_ = new QLabel(tr("s&econds"), group);
  seconds_->setBuddy(tolerance_);
  tolerance_->setAccessibleName(tr("seconds"));
  auto* tolerance_row = new QHBoxLayout;
  tolerance_row->addWidget(tolerance_);
  tolerance_row->addWidget(seconds_);
  form->addRow(set_clock_, tolerance_row);
  time_format_ = new QComboBox(group);
  for (const char* name : CCfgGeneralPage::kTimeFormatNames) time_format_->addItem(ToQString(name));
  form->addRow(tr("Time fo&rmat:"), time_format_);
  connect(set_clock_, &QCheckBox::clicked, this,
          [this] { Forward([this] { page_.OnSetStaClockClicked(); }); });
  return group;
}

QGroupBox* GeneralPageView::BuildLogGroup() {
  auto* group = new QGroupBox(tr("Log files:"), this);
  auto* form = new QFormLayout(group);
  enable_log_ = new QCheckBox(tr("Lo&g errors:"), group);
  form->addRow(enable_log_);
  log_dir_ = new QLineEdit(group);
  log_browse_ = BrowseButton(CCfgGeneralPage::kLogFolderTitle, group);
  log_dir_label_ = new QLabel(tr("D&irectory:"), group);
  form->addRow(log_dir_label_, WithBrowseButton(log_dir_label_, log_dir_, log_browse_));
  connect(enable_log_, &QCheckBox::clicked, this,
          [this] { Forward([this] { page_.OnEnableLogClicked(); }); });
  connect(log_browse_, &QToolButton::clicked, this,
          [this] { Forward([this] { page_.OnBrowseLogDir(); }); });
  return group;
}

QToolButton* GeneralPageView::BrowseButton(const char* title, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(QStringLiteral("..."));
  button->setAccessibleName(ToQString(title));
  return button;
}

QWidget* GeneralPageView::WithBrowseButton(QLabel* label, QLineEdit* edit, QToolButton* button) {
  label->setBuddy(edit);
  // Out of the label's parent, the edit is no longer named after its buddy label by itself.
  edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
  auto* row = new QWidget(edit->parentWidget());
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  edit->setParent(row);
  button->setParent(row);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  return row;
}

void GeneralPageView::ShowText(QLineEdit* edit, const std::string& text) {
  const QString shown = ToQString(text);
  if (edit->text() != shown) edit->setText(shown);
}

void GeneralPageView::Forward(const std::function<void()>& handler) {
  Collect();
  handler();
  Refresh();
}

QWidget* GeneralPageView::ControlWidget(int control) const {
  switch (control) {
    case CCfgGeneralPage::kModeRadio:
      return mode_buttons_[page_.m_nMode == CCfgGeneralPage::kModeAutomatic ? 1 : 0];
    case CCfgGeneralPage::kSetStaClockCheck:
      return set_clock_;
    case CCfgGeneralPage::kToleranceEdit:
      return tolerance_;
    case CCfgGeneralPage::kTimeFormatList:
      return time_format_;
    case CCfgGeneralPage::kEnableLogCheck:
      return enable_log_;
    case CCfgGeneralPage::kLogDirEdit:
      return log_dir_;
    default:
      return nullptr;
  }
}

void GeneralPageView::Refresh() {
  ShowState();
  if (page_.focus() != CCfgGeneralPage::kNoFocus) {
    if (QWidget* w = ControlWidget(page_.focus())) w->setFocus();
    page_.ClearFocus();
  }
}

void GeneralPageView::ShowState() {
  if (page_.m_nMode == 0 || page_.m_nMode == 1) {
    mode_buttons_[page_.m_nMode]->setChecked(true);
  } else {
    // An exclusive group cannot show neither button set.
    mode_group_->setExclusive(false);
    for (QRadioButton* button : mode_buttons_) button->setChecked(false);
    mode_group_->setExclusive(true);
  }
  set_clock_->setChecked(page_.m_bSetStaClock);
  ShowText(tolerance_, page_.m_strClockTolerance);
  time_format_->setCurrentIndex(page_.m_nPcTimeFormat);
  enable_log_->setChecked(page_.m_bEnableLog);
  ShowText(log_dir_, page_.m_strLogDir);
  for (QWidget* w : {static_cast<QWidget*>(tolerance_), static_cast<QWidget*>(seconds_),
                     static_cast<QWidget*>(time_format_)}) {
    w->setEnabled(page_.m_bClockEnabled);
  }
  for (QWidget* w : {static_cast<QWidget*>(log_dir_), static_cast<QWidget*>(log_browse_),
                     static_cast<QWidget*>(log_dir_label_)}) {
    w->setEnabled(page_.m_bLogDirEnabled);
  }
}

void GeneralPageView::Collect() {
  page_.m_nMode = mode_group_->checkedId();
  page_.m_bSetStaClock = set_clock_->isChecked();
  page_.m_strClockTolerance = FromQString(tolerance_->text(), page_.m_strClockTolerance);
  page_.m_nPcTimeFormat = time_format_->currentIndex();
  page_.m_bEnableLog = enable_log_->isChecked();
  page_.m_strLogDir = FromQString(log_dir_->text(), page_.m_strLogDir);
}

}  // namespace kz::qtui
