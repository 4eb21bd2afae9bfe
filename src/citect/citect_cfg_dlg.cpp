#include "citect/citect_cfg_dlg.h"

#include <algorithm>

#include "citect/add_tags_wizard.h"
#include "citect/tag_verifier.h"
#include "citect/warning_list_dlg.h"
#include "projfiles/cancel_dlg.h"
#include "projfiles/trend_store.h"

namespace kz::citect {

CCitectCfgDlg::CCitectCfgDlg(ui::UiService& ui, HelpFn help, AddTagsFn add_tags)
    : ui_(ui), help_(std::move(help)), add_tags_(std::move(add_tags)), m_data(ui) {
  if (!add_tags_) {
    add_tags_ = [this](CCitectTrendTagArray& result) {
      return RunAddTagsWizard(ui_, help_, result);
    };
  }
}

CCitectCfgDlg::~CCitectCfgDlg() = default;

void CCitectCfgDlg::OnInitDialog() {
  m_data.ReadWrite(projfiles::LocateTrendStore(), false);
  m_pGrid = std::make_unique<CCitectTagGrid>(m_data.m_tags, ui_);
  m_pGrid->m_bMultiSelect = true;
  m_pGrid->ReloadTags();
}

bool CCitectCfgDlg::OnOK() {
  const std::string path = projfiles::LocateTrendStore();
  if (m_data.ReadWrite(path, true) == projfiles::kDataOk) return true;
  // Closing now would drop the user's work without a word.
  ui_.MessageBox("Failed to save the trend tag list to " + path + ".", kErrorCaption,
                 ui::Buttons::Ok, ui::Icon::Exclamation);
  return false;
}

void CCitectCfgDlg::OnAddNew() {
  CCitectTrendTagArray added;
  if (!add_tags_(added)) return;
  // No test for duplicates: verification reports them.
  m_data.AppendCopies(added);
  if (m_pGrid) m_pGrid->ReloadTags();
}

void CCitectCfgDlg::OnRemove() {
  if (!m_pGrid) return;
  const std::vector<int> rows = m_pGrid->GetSelectedRows();
  if (rows.empty()) {
    ui_.MessageBox(kNoTagsSelected, kErrorCaption, ui::Buttons::Ok, ui::Icon::Exclamation);
    return;
  }
  if (ui_.MessageBox(kRemoveQuestion, kRemoveCaption, ui::Buttons::YesNo, ui::Icon::Question) !=
      ui::Answer::Yes) {
    return;
  }
  m_pGrid->EnableUpdate(false);
  // Rows reach their records through the row order, which sorting has made differ from the list.
  std::vector<int> positions;
  for (const int row : rows) {
    int pos = -1;
    if (m_pGrid->GetDataSource().GetRecordPos(row, pos)) positions.push_back(pos);
  }
  // From the highest position down, so that the positions still to remove stay valid.
  std::sort(positions.begin(), positions.end(), std::greater<>());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (const int pos : positions) m_data.m_tags.RemoveAt(static_cast<std::size_t>(pos));
  m_pGrid->ClearSelections();
  m_pGrid->ReloadTags();
  m_pGrid->EnableUpdate(true);
}

void CCitectCfgDlg::OnVerifyTags() {
  std::vector<std::string> warnings;
  {
    // Shown, never polled: verification cannot be cancelled.
    projfiles::CCancelDlg progress(ui_);
    progress.ShowProgress(false);
    progress.SetLine1(kVerifyingTags);
    progress.Show();
    warnings = VerifyTags(m_data.m_tags, m_data,
                          [&progress](std::string_view line) { progress.SetLine2(line); });
  }
  if (warnings.empty()) {
    ui_.MessageBox(kNoWarnings, kVerifiedCaption, ui::Buttons::Ok, ui::Icon::None);
    return;
  }
  CWarningListDlg list(std::move(warnings));
  ui_.RunModal(list);
}

void CCitectCfgDlg::OnHelp() const {
  if (help_) help_(HelpContextId());
}

}  // namespace kz::citect
