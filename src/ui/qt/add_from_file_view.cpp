#include "ui/qt/add_from_file_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/add_from_file_dlg.h"
#include "ui/qt/editor_view_support.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

using editor::CAddFromFileDlg;

QLabel* ValueLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAccessibleName(name);
  return label;
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& items, int selected) {
  const QSignalBlocker block(combo);
  combo->clear();
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) texts << ToQString(item);
  combo->addItems(texts);
  combo->setCurrentIndex(selected);
}

}  // namespace

AddFromFileView::AddFromFileView(CAddFromFileDlg& presenter, QWidget* parent)
    : EditorDialogView(parent), presenter_(presenter) {
  setWindowTitle(QStringLiteral("Add From File"));
  auto* form = new QFormLayout;

  // A path has no blanks to wrap at: a read-only line scrolls instead of cutting it off.
  project_ = new QLineEdit(this);
  project_->setReadOnly(true);
  choose_project_ = new QPushButton(QStringLiteral("..."), this);
  choose_project_->setAccessibleName(QStringLiteral("Choose project file"));
  auto* project_row = new QHBoxLayout;
  project_row->addWidget(project_, 1);
  project_row->addWidget(choose_project_);
  auto* project_label = new QLabel(QStringLiteral("Project file:"), this);
  project_label->setBuddy(project_);
  form->addRow(project_label, project_row);

  stations_ = new QComboBox(this);
  form->addRow(QStringLiteral("Station &name:"), stations_);
  station_number_ = ValueLabel(this, QStringLiteral("Station number:"));
  form->addRow(QStringLiteral("Station number:"), station_number_);
  datalogs_ = new QComboBox(this);
  form->addRow(QStringLiteral("Datalog &configuration:"), datalogs_);
  datalog_file_ = ValueLabel(this, QStringLiteral("Datalog file name:"));
  form->addRow(QStringLiteral("Datalog file name:"), datalog_file_);
  transfers_ = new QComboBox(this);
  form->addRow(QStringLiteral("Client &Transfer name:"), transfers_);
  datalog_id_ = ValueLabel(this, QStringLiteral("Datalog ID:"));
  form->addRow(QStringLiteral("Datalog ID:"), datalog_id_);

  storage_ = AddStorageRow(*this, *form);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  AddButtons(
      *layout, [this] { return presenter_.OnOK(); }, [this] { presenter_.OnHelp(); });

  connect(choose_project_, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnChooseProject(); }); });
  connect(storage_.edit, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnEditStorage(); }); });
  connect(stations_, &QComboBox::currentIndexChanged, this,
          [this] { Handle([this] { presenter_.OnStationChange(); }); });
  connect(datalogs_, &QComboBox::currentIndexChanged, this,
          [this] { Handle([this] { presenter_.OnDatalogChange(); }); });
  connect(transfers_, &QComboBox::currentIndexChanged, this,
          [this] { Handle([this] { presenter_.OnTransferChange(); }); });

  presenter_.OnInitDialog();
  Refresh();
  stations_->setFocus();
}

void AddFromFileView::Refresh() {
  project_->setText(ToQString(presenter_.m_strProjectPath));
  FillCombo(stations_, presenter_.m_stations, presenter_.m_nStation);
  FillCombo(datalogs_, presenter_.m_datalogs, presenter_.m_nDatalog);
  FillCombo(transfers_, presenter_.m_transfers, presenter_.m_nTransfer);
  station_number_->setText(ToQString(presenter_.m_strStationNumber));
  datalog_file_->setText(ToQString(presenter_.m_strDatalogFileName));
  datalog_id_->setText(ToQString(presenter_.m_strDatalogId));
  storage_.summary->setText(ToQString(presenter_.m_strStorageSummary));
  storage_.SetVisible(presenter_.m_bShowStorage);
  ApplyFocus(presenter_, {{CAddFromFileDlg::kChooseProject, choose_project_},
                          {CAddFromFileDlg::kStationList, stations_},
                          {CAddFromFileDlg::kDatalogList, datalogs_},
                          {CAddFromFileDlg::kTransferList, transfers_},
                          {CAddFromFileDlg::kEditStorage, storage_.edit}});
}

void AddFromFileView::Collect() {
  presenter_.m_nStation = stations_->currentIndex();
  presenter_.m_nDatalog = datalogs_->currentIndex();
  presenter_.m_nTransfer = transfers_->currentIndex();
}

ui::DialogResult RunAddFromFileView(CAddFromFileDlg& presenter, QtUiService& /*ui*/) {
  return RunDialogView<AddFromFileView>(presenter);
}

}  // namespace kz::qtui
