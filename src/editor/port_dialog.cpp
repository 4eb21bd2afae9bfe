#include "editor/port_dialog.h"

#include "editor/cfg_psheet.h"
#include "editor/property_page.h"

namespace kz::editor {

void CPortDialog::OnHelp() const {
  m_page.sheet().ShowHelp(HelpContextId());
}

bool CPortDialog::Refuse(std::string_view text, int control) {
  m_page.sheet().ui().MessageBox(text, kErrorCaption, ui::Buttons::Ok, ui::Icon::None);
  SetFocus(control);
  return false;
}

}  // namespace kz::editor
