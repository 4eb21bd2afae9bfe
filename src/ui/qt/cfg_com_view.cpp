#include "ui/qt/cfg_com_view.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <array>
#include <functional>

#include "ui/qt/port_dialog_view.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

// An edit with spin buttons whose text stays free: the presenter reads and steps it.
class ComNumberBox : public QAbstractSpinBox {
 public:
  std::function<void(int)> on_step;

  void SetText(const QString& text) { lineEdit()->setText(text); }
  void stepBy(int steps) override { on_step(steps); }

 protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

template <std::size_t N>
QComboBox* ChoiceList(const std::array<editor::CCfgCOM::Choice, N>& choices) {
  auto* list = new QComboBox;
  for (const editor::CCfgCOM::Choice& choice : choices) list->addItem(ToQString(choice.text));
  return list;
}

class CfgComView : public PortDialogView {
 public:
  explicit CfgComView(editor::CCfgCOM& dialog)
      : PortDialogView(dialog, tr("COM Port Configuration")), dialog_(dialog) {
    number_ = new ComNumberBox;
    number_->on_step = [this](int steps) {
      Collect();
      dialog_.OnSpin(steps);
      Show();
    };
    lists_ = {ChoiceList(editor::CCfgCOM::kBauds), ChoiceList(editor::CCfgCOM::kDataBits),
              ChoiceList(editor::CCfgCOM::kParities), ChoiceList(editor::CCfgCOM::kStopBits),
              ChoiceList(editor::CCfgCOM::kFlows)};
    const QString labels[] = {tr("&Baud:"), tr("&Data bits:"), tr("&Parity:"), tr("&Stop bits:"),
                              tr("&Flow control:")};
    form()->addRow(tr("&COM"), number_);
    number_->setAccessibleName(tr("COM"));
    for (std::size_t i = 0; i < lists_.size(); ++i) {
      form()->addRow(labels[i], lists_[i]);
      lists_[i]->setAccessibleName(QString(labels[i]).remove(QLatin1Char('&')));
    }
    dialog_.OnInitDialog();
    Show();
    number_->setFocus();
  }

 protected:
  void Refresh() override {
    number_->SetText(ToQString(dialog_.m_strComNumber));
    for (std::size_t i = 0; i < lists_.size(); ++i) lists_[i]->setCurrentIndex(*Selections()[i]);
    form()->setRowVisible(lists_.back(), dialog_.m_bFlowVisible);
  }
  void Collect() override {
    dialog_.m_strComNumber = FromQString(number_->text(), dialog_.m_strComNumber);
    for (std::size_t i = 0; i < lists_.size(); ++i) *Selections()[i] = lists_[i]->currentIndex();
  }
  QWidget* Control(int control) const override {
    if (control == editor::CCfgCOM::kComNumberEdit) return number_;
    const auto list = static_cast<std::size_t>(control - editor::CCfgCOM::kBaudList);
    return list < lists_.size() ? lists_[list] : nullptr;
  }
  bool OnOK() override { return dialog_.OnOK(); }

 private:
  // The presenter's selections, in the order of the lists (and of its control enumeration).
  std::array<int*, 5> Selections() {
    return {&dialog_.m_nBaud, &dialog_.m_nDataBits, &dialog_.m_nParity, &dialog_.m_nStopBits,
            &dialog_.m_nFlow};
  }

  editor::CCfgCOM& dialog_;
  ComNumberBox* number_;
  std::array<QComboBox*, 5> lists_{};
};

}  // namespace

ui::DialogResult RunCfgComView(editor::CCfgCOM& dialog, QtUiService& /*ui*/) {
  CfgComView view(dialog);
  return view.Run();
}

}  // namespace kz::qtui
