// CWarningListDlg: the presenter of the modal dialog "Warnings", which lists what tag
// verification found, one warning a line, followed by their count. Holds its own copy of the
// warnings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_dialog.h"

namespace kz::citect {

// Each warning followed by `line_end`, then `line_end` and "<n> warning(s) found.". The dialog
// uses "\r\n"; a terminal wants "\n".
std::string WarningListText(const std::vector<std::string>& warnings,
                            std::string_view line_end = "\r\n");

class CWarningListDlg : public editor::CEditorDialog {
 public:
  static constexpr int kTemplateId = 220;
  static constexpr const char* kCaption = "Warnings";
  static constexpr const char* kHeading = "The following warnings have been found:";

  explicit CWarningListDlg(std::vector<std::string> warnings) : m_warnings(std::move(warnings)) {}

  int TemplateId() const override { return kTemplateId; }
  // Builds m_strText.
  void OnInitDialog() { m_strText = WarningListText(m_warnings); }

  std::vector<std::string> m_warnings;
  std::string m_strText;  // the read-only text field's contents
};

}  // namespace kz::citect
