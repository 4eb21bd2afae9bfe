#include "citect/warning_list_dlg.h"

namespace kz::citect {

std::string WarningListText(const std::vector<std::string>& warnings, std::string_view line_end) {
  std::string text;
  for (const std::string& w : warnings) {
    text += w;
    text += line_end;
  }
  text += line_end;
  text += std::to_string(warnings.size()) + " warning(s) found.";
  return text;
}

}  // namespace kz::citect
