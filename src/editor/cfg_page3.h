// CCfgPage3: the COM Ports page: lists the live serial ports ("COM%d <settings>") and adds,
// configures and removes them through the COM Port Configuration dialog (CCfgCOM). Every
// confirmed dialog changes the model at once and updates the port's line.
#pragma once

#include "editor/port_page.h"

namespace kz::editor {

class CCfgPage3 : public CPortPage {
 public:
  static constexpr int kTemplateId = 106;

  explicit CCfgPage3(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "COM Ports"; }

  // A new serial port and its dialog; OK adds and selects its line, Cancel discards the port.
  void OnAdd() override;
  // The dialog on the selected line's port; OK rewrites that line in its place.
  void OnConfigure() override;

 protected:
  bool Lists(const config::CPortCfg& port) const override;
};

}  // namespace kz::editor
