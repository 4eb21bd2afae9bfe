// PortPageView: the widget of a port page (UDP/TCP Ports, COM Ports): the list of port lines
// under its label, "Add...", "Configure..." and, set apart, "Remove". A double click or Enter on
// a line acts as "Configure...". The page presenter is borrowed and outlives the widget; the
// widget is owned by its Qt parent.
#pragma once

#include <QString>

#include "editor/port_page.h"
#include "ui/qt/page_view.h"

class QListWidget;
class QPushButton;

namespace kz::qtui {

class PortPageView : public PageView {
 public:
  // `label` is the list's label with its mnemonic.
  PortPageView(editor::CPortPage& page, const QString& label, QWidget* parent);

  void Refresh() override;
  void Collect() override;

 private:
  // Collects, runs the handler, shows the result.
  void Run(void (editor::CPortPage::*handler)());
  QWidget* Control(int control) const;

  editor::CPortPage& page_;
  QListWidget* list_;
  QPushButton* add_;
  QPushButton* configure_;
  QPushButton* remove_;
};

}  // namespace kz::qtui
