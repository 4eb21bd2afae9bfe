// CCfgPage2: the UDP/TCP Ports page: lists the live UDP and TCP ports ("UDP%d", "TCP%d") and
// adds, configures and removes them through the UDP/TCP Port Configuration dialog (CCfgUDP).
// Every confirmed dialog changes the model at once; the list is then filled again from it.
#pragma once

#include "editor/port_page.h"

namespace kz::editor {

class CCfgPage2 : public CPortPage {
 public:
  static constexpr int kTemplateId = 105;

  explicit CCfgPage2(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "UDP/TCP Ports"; }

  // A new UDP port and its dialog; Cancel discards the port again. OK selects its line.
  void OnAdd() override;
  // The dialog on the selected line's port; OK selects its line.
  void OnConfigure() override;

 protected:
  bool Lists(const config::CPortCfg& port) const override;

 private:
  void RunDialog(config::CPortCfg& port, bool added);
};

}  // namespace kz::editor
