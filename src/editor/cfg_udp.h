// CCfgUDP: the UDP/TCP Port Configuration dialog: the kind and number of one IP port. Built by
// the UDP/TCP Ports page on a port record of the model; the page, the record and the model are
// borrowed and must outlive the dialog.
//
// The model changes only when OK succeeds: a change of kind then marks the record removed and
// inserts a record of the other kind at its index, which port() returns from then on. A dialog
// that ends with Cancel has changed nothing.
#pragma once

#include <array>
#include <string>

#include "editor/port_dialog.h"

namespace kz::config {
class CIpPortCfg;
}

namespace kz::editor {

class CCfgUDP : public CPortDialog {
 public:
  static constexpr int kTemplateId = 202;
  enum Control { kTypeList, kPortNumberEdit };

  // "Type:" entries, by index.
  static constexpr int kTypeUdp = 0;
  static constexpr int kTypeTcp = 1;
  static constexpr std::array<const char*, 2> kTypeNames = {"UDP", "TCP"};

  // The IP port numbers a server can listen on.
  static constexpr int kMinPortNumber = 1;
  static constexpr int kMaxPortNumber = 65535;

  static constexpr const char* kNoNumber = "Please enter a UDP/TCP port number.";
  static constexpr const char* kNumberOutOfRange =
      "Please enter a UDP/TCP port number (1 to 65535).";
  static constexpr const char* kDuplicateNumber = "Please enter a unique port number.";

  CCfgUDP(CPropertyPage& page, config::CIpPortCfg& port, config::CCfgMgr& model);

  int TemplateId() const override { return kTemplateId; }
  // Shows the record: its number in decimal, "UDP" for a UDP port and "TCP" otherwise.
  void OnInitDialog();
  // Checks in order: a number is given, it lies in 1 to 65535 (read from its leading digits), no
  // other live port of the chosen kind has it. Then stores it, replacing the record when the kind
  // changed. False (the message shown) keeps the dialog open.
  bool OnOK();

  // The record edited: after OK with a changed kind, the one that replaced it.
  config::CIpPortCfg& port() const { return *m_pPort; }

  int m_nType = kTypeUdp;  // kTypeUdp or kTypeTcp
  std::string m_strPortNumber;

 private:
  config::CIpPortCfg* m_pPort;  // not owned: the model's
};

}  // namespace kz::editor
