// CPortDialog: what the UDP/TCP and COM port dialogs share: the page that opened them (for help
// and the UI service), the port record they edit and the model, all borrowed; they must outlive
// the dialog. A refused OK shows its message with the caption "Error" and focuses the control to
// fix.
#pragma once

#include <string_view>

#include "editor/editor_dialog.h"

namespace kz::config {
class CCfgMgr;
}

namespace kz::editor {

class CPropertyPage;

class CPortDialog : public CEditorDialog {
 public:
  static constexpr std::string_view kErrorCaption = "Error";

  CPortDialog(CPropertyPage& page, config::CCfgMgr& model) : m_page(page), m_model(model) {}
  CPortDialog(const CPortDialog&) = delete;
  CPortDialog& operator=(const CPortDialog&) = delete;

  // The Help button: this dialog's topic.
  void OnHelp() const;

 protected:
  config::CCfgMgr& model() const { return m_model; }
  // Shows `text` and names the control to fix; returns false, for OnOK to return.
  bool Refuse(std::string_view text, int control);

 private:
  CPropertyPage& m_page;
  config::CCfgMgr& m_model;
};

}  // namespace kz::editor
