#include "citect/candidate_tags.h"

#include <cstdint>
#include <string>

#include "platform/file_lookup.h"
#include "projfiles/citect_install.h"
#include "projfiles/dbase_file.h"

namespace kz::citect {
namespace {

using projfiles::CDBaseFile;

// NAME and EXPR as the wizard's read buffers keep them.
constexpr std::size_t kNameLength = 255;
constexpr std::size_t kExprLength = 260;

bool Refuse(ui::UiService& ui, std::string_view text) {
  ui.MessageBox(text, "Error", ui::Buttons::Ok, ui::Icon::Exclamation);
  return false;
}

std::string ReadText(CDBaseFile& table, std::string_view field, std::size_t length) {
  std::string value;
  if (table.ReadFieldByName(value, field) != projfiles::kDbfDone) value.clear();
  if (value.size() > length) value.resize(length);
  return value;
}

}  // namespace

bool ReadCandidateTags(ui::UiService& ui, std::string_view project, CCitectTrendTagArray& out) {
  out.RemoveAll();
  const std::string user = projfiles::GetCitectUserFolder(projfiles::GetCitectVersion(), ui);
  if (user.empty()) return Refuse(ui, "Unable to locate the trend tag list.");
  const std::string path = projfiles::CitectProjectFolder(user, project) + "trend.dbf";
  CDBaseFile table;
  if (!table.Open(platform::ResolveCase(path), CDBaseFile::Mode::ReadOnly)) {
    return Refuse(ui, "Unable to access the trend tag list.");
  }
  for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
    std::string name = ReadText(table, "NAME", kNameLength);
    if (name.empty()) continue;
    auto& tag = out.Add();
    tag.m_strCitectProj = project;
    tag.m_strTrendVar = std::move(name);
    tag.m_strExpr = ReadText(table, "EXPR", kExprLength);
  }
  table.Close();
  return true;
}

}  // namespace kz::citect
