#include "ui/qt/cfg_udp_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/qt/port_dialog_view.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

class CfgUdpView : public PortDialogView {
 public:
  explicit CfgUdpView(editor::CCfgUDP& dialog)
      : PortDialogView(dialog, tr("UDP/TCP Port Configuration")), dialog_(dialog) {
    type_ = new QComboBox;
    for (const char* name : editor::CCfgUDP::kTypeNames) type_->addItem(ToQString(name));
    number_ = new QLineEdit;
    form()->addRow(tr("&Type:"), type_);
    form()->addRow(tr("&Port number:"), number_);
    type_->setAccessibleName(tr("Type:"));
    number_->setAccessibleName(tr("Port number:"));
    dialog_.OnInitDialog();
    Show();
    type_->setFocus();
  }

 protected:
  void Refresh() override {
    type_->setCurrentIndex(dialog_.m_nType);
    number_->setText(ToQString(dialog_.m_strPortNumber));
  }
  void Collect() override {
    dialog_.m_nType = type_->currentIndex();
    dialog_.m_strPortNumber = FromQString(number_->text(), dialog_.m_strPortNumber);
  }
  QWidget* Control(int control) const override {
    switch (control) {
      case editor::CCfgUDP::kTypeList:
        return type_;
      case editor::CCfgUDP::kPortNumberEdit:
        return number_;
      default:
        return nullptr;
    }
  }
  bool OnOK() override { return dialog_.OnOK(); }

 private:
  editor::CCfgUDP& dialog_;
  QComboBox* type_;
  QLineEdit* number_;
};

}  // namespace

ui::DialogResult RunCfgUdpView(editor::CCfgUDP& dialog, QtUiService& /*ui*/) {
  CfgUdpView view(dialog);
  return view.Run();
}

}  // namespace kz::qtui
