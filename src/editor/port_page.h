// CPortPage: what the UDP/TCP Ports and COM Ports pages share: a list of port lines, each
// carrying the index of its port in the model's port list, kept in text order; Remove after a
// question; a double click that configures. The pages derive from it and add their own Add and
// Configure, which run their port dialog.
//
// The page borrows its sheet's model (through sheet()), which outlives it.
#pragma once

#include <string>
#include <vector>

#include "editor/property_page.h"

namespace kz::config {
class CCfgMgr;
class CPortCfg;
}  // namespace kz::config

namespace kz::editor {

// One list line: the port's display text and its index in the model's port list.
struct PortLine {
  std::string text;
  int index = -1;
  bool operator==(const PortLine&) const = default;
};

class CPortPage : public CPropertyPage {
 public:
  enum Control { kPortList, kAddButton, kRemoveButton, kConfigureButton };

  static constexpr const char* kRemoveQuestion = "Remove selected port?";

  using CPropertyPage::CPropertyPage;

  // Fills the list from the model and selects the first line.
  void OnInitDialog() override;
  virtual void OnAdd() = 0;
  // Does nothing without a selected line.
  virtual void OnConfigure() = 0;
  // Asks, then marks the selected line's port removed and drops the line. Nothing without a
  // selected line or when its index holds no port.
  void OnRemove();
  void OnDblClk() { OnConfigure(); }

  // The lines in display order (text order, as a sorted list box keeps them) and the selected
  // one's position, -1 for none.
  std::vector<PortLine> m_lines;
  int m_nSelected = -1;

 protected:
  // Which live ports the page lists.
  virtual bool Lists(const config::CPortCfg& port) const = 0;

  config::CCfgMgr& model() const;
  // The selected line's port, or null.
  config::CPortCfg* SelectedPort() const;
  // Empties the list and adds a line for every live port the page lists, in text order.
  void Fill();
  // Adds the port's line where text order puts it (after lines of equal text); returns its
  // position.
  int AddLine(const config::CPortCfg& port, int index);
  // The position of the line of the port, -1 when it has none.
  int FindLine(const config::CPortCfg& port) const;
};

}  // namespace kz::editor
