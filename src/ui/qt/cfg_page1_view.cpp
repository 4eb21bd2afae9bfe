#include "ui/qt/cfg_page1_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/cfg_page1.h"
#include "editor/data_file_name.h"
#include "editor/new_file_mode.h"
#include "ui/qt/cfg_general_view.h"
#include "ui/qt/text.h"

namespace kz::qtui {

namespace {

using editor::CCfgPage1;

template <std::size_t N>
QComboBox* ListOf(const std::array<const char*, N>& names, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (const char* name : names) list->addItem(ToQString(name));
  return list;
}

class CfgPage1View final : public GeneralPageView {
 public:
  CfgPage1View(CCfgPage1& page, QWidget* parent) : GeneralPageView(page, parent), page_(page) {
    // Two columns: where the data goes on the left, how the server behaves on the right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(BuildModeGroup(), 0, 0);
    grid->addWidget(BuildNewFileGroup(), 1, 0);
    grid->addWidget(BuildLocationGroup(), 2, 0);
    grid->addWidget(BuildClockGroup(), 0, 1);
    grid->addWidget(BuildLogGroup(), 1, 1);
    grid->addWidget(BuildFormatGroup(), 2, 1);
    grid->setRowStretch(3, 1);
    Refresh();
  }

  void Collect() override {
    GeneralPageView::Collect();
    page_.m_nNewFileMode = new_file_mode_->currentIndex();
    page_.m_nWeekday = weekday_->currentIndex();
    page_.m_nStartTime = QTime(0, 0).secsTo(start_time_->time());
    page_.m_strDataDir = FromQString(data_dir_->text(), page_.m_strDataDir);
    page_.m_nBaseName = base_name_->currentIndex();
    page_.m_bUseScaling = use_scaling_->isChecked();
    page_.m_bCheckDuplicates = check_duplicates_->isChecked();
  }

 protected:
  void ShowState() override {
    GeneralPageView::ShowState();
    new_file_mode_->setCurrentIndex(page_.m_nNewFileMode);
    weekday_->setCurrentIndex(page_.m_nWeekday);
    start_time_->setTime(QTime(0, 0).addSecs(page_.m_nStartTime));
    ShowText(data_dir_, page_.m_strDataDir);
    base_name_->setCurrentIndex(page_.m_nBaseName);
    sample_->setText(ToQString(page_.m_strSample));
    use_scaling_->setChecked(page_.m_bUseScaling);
    check_duplicates_->setChecked(page_.m_bCheckDuplicates);
    new_file_group_->setEnabled(page_.m_bAutoEnabled);
    location_group_->setEnabled(page_.m_bAutoEnabled);
    new_file_form_->setRowVisible(starting_row_, page_.m_bStartingVisible);
    start_time_->setVisible(page_.m_bStartTimeVisible);
    weekday_->setVisible(page_.m_bWeekdayVisible);
    starting_label_->setBuddy(page_.m_bStartTimeVisible ? static_cast<QWidget*>(start_time_)
                                                        : weekday_);
  }

  QWidget* ControlWidget(int control) const override {
    switch (control) {
      case CCfgPage1::kNewFileModeList:
        return new_file_mode_;
      case CCfgPage1::kWeekdayList:
        return weekday_;
      case CCfgPage1::kStartTimePicker:
        return start_time_;
      case CCfgPage1::kDataDirEdit:
        return data_dir_;
      case CCfgPage1::kBaseNameList:
        return base_name_;
      default:
        return GeneralPageView::ControlWidget(control);
    }
  }

 private:
  QGroupBox* BuildNewFileGroup() {
    new_file_group_ = new QGroupBox(tr("New file creation method:"), this);
    new_file_form_ = new QFormLayout(new_file_group_);
    new_file_mode_ = ListOf(editor::kNewFileModeNames, new_file_group_);
    new_file_form_->addRow(tr("Create new &files:"), new_file_mode_);
    // The time picker and the weekday list share the place of "Starting:"; one shows at a time.
    auto* starting = new QWidget(new_file_group_);
    auto* row = new QHBoxLayout(starting);
    row->setContentsMargins(0, 0, 0, 0);
    start_time_ = new QTimeEdit(starting);
    start_time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    start_time_->setAccessibleName(tr("Starting:"));
    weekday_ = ListOf(editor::kWeekdayNames, starting);
    weekday_->setAccessibleName(tr("Starting:"));
    row->addWidget(start_time_);
    row->addWidget(weekday_);
    starting_label_ = new QLabel(tr("S&tarting:"), new_file_group_);
    new_file_form_->addRow(starting_label_, starting);
    starting_row_ = starting;
    connect(new_file_mode_, &QComboBox::activated, this,
            [this] { Forward([this] { page_.OnNewFileModeChanged(); }); });
    return new_file_group_;
  }

  QGroupBox* BuildLocationGroup() {
    location_group_ = new QGroupBox(tr("Data file location:"), this);
    auto* form = new QFormLayout(location_group_);
    data_dir_ = new QLineEdit(location_group_);
    auto* browse = BrowseButton(CCfgPage1::kDataFolderTitle, location_group_);
    auto* dir_label = new QLabel(tr("&Directory:"), location_group_);
    form->addRow(dir_label, WithBrowseButton(dir_label, data_dir_, browse));
    base_name_ = ListOf(editor::kBaseNameChoices, location_group_);
    form->addRow(tr("Data file &base name:"), base_name_);
    sample_ = new QLabel(location_group_);
    sample_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sample_->setAccessibleName(tr("Sample:"));
    form->addRow(tr("Sample:"), sample_);
    connect(data_dir_, &QLineEdit::textEdited, this,
            [this] { Forward([this] { page_.OnDataDirChanged(); }); });
    connect(browse, &QToolButton::clicked, this,
            [this] { Forward([this] { page_.OnBrowseDataDir(); }); });
    connect(base_name_, &QComboBox::activated, this,
            [this] { Forward([this] { page_.OnBaseNameChanged(); }); });
    return location_group_;
  }

  QGroupBox* BuildFormatGroup() {
    auto* group = new QGroupBox(tr("Data Format:"), this);
    auto* layout = new QVBoxLayout(group);
    use_scaling_ = new QCheckBox(tr("&Store scaled data"), group);
    check_duplicates_ = new QCheckBox(tr("Check for d&uplicate records"), group);
    layout->addWidget(use_scaling_);
    layout->addWidget(check_duplicates_);
    return group;
  }

  CCfgPage1& page_;
  QGroupBox* new_file_group_ = nullptr;
  QFormLayout* new_file_form_ = nullptr;
  QComboBox* new_file_mode_ = nullptr;
  QLabel* starting_label_ = nullptr;
  QWidget* starting_row_ = nullptr;
  QTimeEdit* start_time_ = nullptr;
  QComboBox* weekday_ = nullptr;
  QGroupBox* location_group_ = nullptr;
  QLineEdit* data_dir_ = nullptr;
  QComboBox* base_name_ = nullptr;
  QLabel* sample_ = nullptr;
  QCheckBox* use_scaling_ = nullptr;
  QCheckBox* check_duplicates_ = nullptr;
};

}  // namespace

PageView* MakeCfgPage1View(CCfgPage1& page, QtUiService& /*ui*/, QWidget* parent) {
  return new CfgPage1View(page, parent);
}

}  // namespace kz::qtui
