#include "citect/citect_add_tag_page2.h"

#include <array>

#include "citect/candidate_tags.h"
#include "citect/citect_add_tag_psheet.h"

namespace kz::citect {
namespace {

constexpr std::array<int, 2> kCandidateColumns{kCitectTrendVarCol, kCitectExprCol};

}  // namespace

void CCitectAddTagPage2::OnInitDialog() {
  m_pGrid = std::make_unique<CCitectTagGrid>(m_candidates, sheet().ui(), kCandidateColumns);
  for (const int id : kCandidateColumns) m_pGrid->SetColWidthById(id, kColumnWidth);
  m_pGrid->m_bHighlightRow = true;
  m_pGrid->m_nCurrentCellMode = 2;
  m_pGrid->m_bMultiSelect = true;
}

void CCitectAddTagPage2::OnSetActive() {
  // The last page points into the candidates about to be deleted.
  sheet().page4().DropTags();
  if (m_pGrid) m_pGrid->ClearSelections();
  Refill([this] {
    m_candidates.RemoveAll();
    // No row may go on naming a deleted candidate while a message box is up.
    ReloadRows();
    ReadCandidateTags(sheet().ui(), sheet().page1().m_strProject, m_candidates);
  });
}

bool CCitectAddTagPage2::OnWizardNext() {
  if (!m_pGrid || m_pGrid->GetSelectedRows().empty()) {
    ShowError(kNoneSelected);
    return false;
  }
  return true;
}

void CCitectAddTagPage2::GetSelectedTags(std::vector<CCitectTrendTag*>& tags) const {
  tags.clear();
  if (!m_pGrid) return;
  for (const int row : m_pGrid->GetSelectedRows()) {
    if (CCitectTrendTag* tag = m_pGrid->GetRecordAtRow(row)) tags.push_back(tag);
  }
}

}  // namespace kz::citect
