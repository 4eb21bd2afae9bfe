#include "ui/qt/rec_storage_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "ui/qt/editor_view_support.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using editor::CRecStorageDlg;

RecStorageView::RecStorageView(CRecStorageDlg& presenter, QWidget* parent)
    : EditorDialogView(parent), presenter_(presenter) {
  setWindowTitle(QStringLiteral("Record Storage Options"));
  form_ = new QFormLayout;

  auto* method = new QComboBox(this);
  method->addItem(QString::fromLatin1(CRecStorageDlg::kStorageMethod));
  form_->addRow(QStringLiteral("Storage &method:"), method);

  path_ = new QLineEdit(this);
  auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
  auto* location = new QHBoxLayout;
  location->addWidget(path_, 1);
  location->addWidget(browse);
  auto* location_label = new QLabel(QStringLiteral("File &location:"), this);
  location_label->setBuddy(path_);
  form_->addRow(location_label, location);

  mode_ = new QComboBox(this);
  for (const char* name : editor::kNewFileModeNames) mode_->addItem(QString::fromLatin1(name));
  form_->addRow(QStringLiteral("Create &new files:"), mode_);

  weekday_ = new QComboBox(this);
  for (const char* name : editor::kWeekdayNames) weekday_->addItem(QString::fromLatin1(name));
  time_ = new QTimeEdit(this);
  time_->setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
  auto* starting = new QHBoxLayout;
  starting->addWidget(weekday_);
  starting->addWidget(time_);
  starting->addStretch(1);
  starting_label_ = new QLabel(QStringLiteral("&Starting:"), this);
  starting_label_->setBuddy(weekday_);
  weekday_->setAccessibleName(QStringLiteral("Starting:"));
  time_->setAccessibleName(QStringLiteral("Starting:"));
  form_->addRow(starting_label_, starting);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form_);
  AddButtons(
      *layout, [this] { return presenter_.OnOK(); }, [this] { presenter_.OnHelp(); });

  connect(browse, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnBrowse(); }); });
  connect(mode_, &QComboBox::activated, this,
          [this] { Handle([this] { presenter_.OnModeChange(); }); });
  connect(weekday_, &QComboBox::activated, this,
          [this] { Handle([this] { presenter_.OnWeekdayChange(); }); });

  presenter_.OnInitDialog();
  Refresh();
  path_->setFocus();
}

void RecStorageView::Refresh() {
  path_->setText(ToQString(presenter_.m_strPath));
  mode_->setCurrentIndex(presenter_.m_nMode);
  weekday_->setCurrentIndex(presenter_.m_nWeekday);
  time_->setTime(QTime::fromMSecsSinceStartOfDay(presenter_.m_nDailyTime * 1000));
  // The row holds the weekday list and the time picker side by side; only one shows at a time.
  form_->setRowVisible(starting_label_, presenter_.m_bShowStarting);
  weekday_->setVisible(presenter_.m_bShowWeekday);
  time_->setVisible(presenter_.m_bShowTime);
  ApplyFocus(presenter_, {{CRecStorageDlg::kPath, path_},
                          {CRecStorageDlg::kMode, mode_},
                          {CRecStorageDlg::kWeekday, weekday_},
                          {CRecStorageDlg::kTime, time_}});
}

void RecStorageView::Collect() {
  presenter_.m_strPath = FromQString(path_->text(), presenter_.m_strPath);
  presenter_.m_nMode = mode_->currentIndex();
  presenter_.m_nWeekday = weekday_->currentIndex();
  presenter_.m_nDailyTime = time_->time().msecsSinceStartOfDay() / 1000;
}

ui::DialogResult RunRecStorageView(CRecStorageDlg& presenter, QtUiService& /*ui*/) {
  return RunDialogView<RecStorageView>(presenter);
}

}  // namespace kz::qtui
