// CEditorDialog: what every page and dialog of the configuration editor shares with its view: the
// dialog template number (which fixes its help topic) and the control that should have the
// keyboard focus after a handler ran (a check that refuses names the control to fix).
//
// A presenter keeps the state of its controls in public members (texts, check states, list
// selections as indexes with -1 for none, times of day as seconds since midnight, enabled and
// visible flags); its view copies them into the widgets after every handler and copies the
// widgets back before calling one.
#pragma once

#include <cstdint>

#include "ui/ui_service.h"

namespace kz::editor {

// Help topics are the dialog template number above this base.
inline constexpr std::uint32_t kHelpContextBase = 0x20000;

class CEditorDialog : public ui::Window {
 public:
  // A control named by its presenter's own enumeration; kNoFocus leaves the focus where it is.
  static constexpr int kNoFocus = -1;

  virtual int TemplateId() const = 0;
  std::uint32_t HelpContextId() const {
    return kHelpContextBase + static_cast<std::uint32_t>(TemplateId());
  }

  // The control to focus, as set by the last handler; the view clears it once applied.
  int focus() const { return m_nFocus; }
  void ClearFocus() { m_nFocus = kNoFocus; }

 protected:
  void SetFocus(int control) { m_nFocus = control; }

 private:
  int m_nFocus = kNoFocus;
};

}  // namespace kz::editor
