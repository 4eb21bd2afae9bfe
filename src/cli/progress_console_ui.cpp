#include "cli/progress_console_ui.h"

#include "projfiles/cancel_dlg.h"

namespace kz::cli {

void ProgressConsoleUi::Refresh(ui::Window& presenter) {
  const auto* dlg = dynamic_cast<const projfiles::CCancelDlg*>(&presenter);
  if (!dlg) return;
  for (auto [shown, printed] : {std::pair{&dlg->m_strLine1, &line1_},
                                std::pair{&dlg->m_strLine2, &line2_}}) {
    if (*shown == *printed) continue;
    *printed = *shown;
    if (!shown->empty()) err_ << "kzdlogsrv: " << *shown << '\n';
  }
}

}  // namespace kz::cli
