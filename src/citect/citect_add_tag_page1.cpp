#include "citect/citect_add_tag_page1.h"

#include <algorithm>

#include "citect/citect_add_tag_psheet.h"
#include "platform/ascii_case.h"
#include "platform/file_lookup.h"
#include "projfiles/citect_install.h"
#include "projfiles/dbase_file.h"

namespace kz::citect {
namespace {

constexpr std::size_t kNameLength = 255;
constexpr std::size_t kTitleLength = 260;

// The number of the table's field with that name; 0, which no field has, when it lacks one.
std::int32_t FieldNumber(const projfiles::CDBaseFile& table, std::string_view name) {
  const projfiles::CFieldNode* node = table.Fields().FindFieldByName(name);
  return node ? node->m_nNumber : 0;
}

std::string ReadCut(projfiles::CDBaseFile& table, std::int32_t field, std::size_t length) {
  std::string value;
  if (table.ReadField(value, field) != projfiles::kDbfDone) return {};
  if (value.size() > length) value.resize(length);
  return value;
}

}  // namespace

void CCitectAddTagPage1::OnInitDialog() {
  const std::string remembered = Recall(kLastCitectProjEntry);
  m_projects.clear();
  m_nSelected = -1;

  std::string folder = projfiles::GetCitectUserFolder(projfiles::GetCitectVersion(), sheet().ui());
  if (folder.empty()) {
    ShowError(kNoUserFolder);
    return;
  }
  if (folder.back() != '/') folder += '/';
  m_strInfo = kInfoPrefix + folder;

  // Read-only: the wizard never writes the table, and a table it may not write is still a list.
  projfiles::CDBaseFile table;
  if (!table.Open(platform::ResolveCase(folder + "master.dbf"),
                  projfiles::CDBaseFile::Mode::ReadOnly)) {
    ShowError(kNoMasterTable);
    return;
  }
  const std::int32_t name_field = FieldNumber(table, "NAME");
  const std::int32_t title_field = FieldNumber(table, "TITLE");
  for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
    std::string name = ReadCut(table, name_field, kNameLength);
    // A blank entry would name no project folder at all.
    if (name.empty() || !ReadCut(table, title_field, kTitleLength).empty()) continue;
    AddProject(std::move(name));
  }
  table.Close();

  if (remembered.empty()) return;
  const auto found = std::find_if(m_projects.begin(), m_projects.end(), [&](const auto& name) {
    return platform::EqualsNoCase(name, remembered);
  });
  if (found != m_projects.end()) m_nSelected = static_cast<int>(found - m_projects.begin());
}

void CCitectAddTagPage1::AddProject(std::string name) {
  const auto at = std::upper_bound(
      m_projects.begin(), m_projects.end(), name,
      [](const std::string& a, const std::string& b) { return platform::CompareNoCase(a, b) < 0; });
  m_projects.insert(at, std::move(name));
}

bool CCitectAddTagPage1::OnWizardNext() {
  if (m_nSelected < 0 || m_nSelected >= static_cast<int>(m_projects.size())) {
    sheet().ui().MessageBox(kSelectProject, kSelectProjectCaption, ui::Buttons::Ok, ui::Icon::None);
    return false;
  }
  m_strProject = m_projects[static_cast<std::size_t>(m_nSelected)];
  Remember(kLastCitectProjEntry, m_strProject);
  return true;
}

}  // namespace kz::citect
