// PortDialogView: the frame the port dialogs' views share: a form and OK, Cancel and Help
// buttons. OK collects the widgets into the presenter and closes only when its OnOK agrees;
// otherwise the presenter's state and focus are shown again. The presenter is borrowed and
// outlives the view.
#pragma once

#include <QDialog>

#include "editor/port_dialog.h"
#include "ui/ui_service.h"

class QFormLayout;

namespace kz::qtui {

class PortDialogView : public QDialog {
 public:
  // Runs the view modally over the active window; OnInitDialog, Refresh and Collect are the
  // derived view's.
  ui::DialogResult Run();

  void accept() override;

 protected:
  PortDialogView(editor::CPortDialog& presenter, const QString& title);

  // Presenter -> widgets, and widgets -> presenter.
  virtual void Refresh() = 0;
  virtual void Collect() = 0;
  // The widget of a presenter control, or null.
  virtual QWidget* Control(int control) const = 0;
  // The presenter's OK check.
  virtual bool OnOK() = 0;

  // Refreshes and moves the focus where the presenter asks.
  void Show();
  QFormLayout* form() const { return form_; }

 private:
  editor::CPortDialog& presenter_;
  QFormLayout* form_;
};

}  // namespace kz::qtui
