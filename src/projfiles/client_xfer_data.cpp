#include "projfiles/client_xfer_data.h"

#include "config/number_text.h"
#include "platform/profile.h"
#include "projfiles/kpj_format.h"

namespace kz::projfiles {
namespace {

constexpr int kLogIdTypeField = 11;
constexpr int kLogIdField = 12;

}  // namespace

void CClientXferData::Read(const std::string& path, const std::string& section,
                           const std::string& key) {
  const auto doc = platform::ProfileSnapshot(path);
  const auto lines = doc->FindSection(section);
  const std::string_view name_line = KpjValue(lines.Find(key).value_or(""));
  if (name_line.empty()) return;
  Parse(name_line, KpjValue(lines.Find(key + "a").value_or("")));
}

void CClientXferData::Parse(std::string_view name_line, std::string_view detail_line) {
  name_line = KpjValue(name_line);
  if (name_line.empty()) return;
  if (const std::string_view name = KpjLeadingName(name_line); !name.empty()) {
    m_strName.assign(name);
    std::erase(m_strName, '`');
  }
  detail_line = KpjValue(detail_line);
  // Only fields closed by a comma count; a last field without one is not read.
  int field = 0;
  std::size_t start = 0;
  for (std::size_t comma = detail_line.find(',');
       comma != std::string_view::npos && field <= kLogIdField;
       comma = detail_line.find(',', start)) {
    const std::string_view text = detail_line.substr(start, comma - start);
    if (field == kLogIdTypeField) m_nLogIDType = config::ParseLeadingInt(text);
    if (field == kLogIdField) m_nLogID = config::ParseLeadingInt(text);
    ++field;
    start = comma + 1;
  }
}

}  // namespace kz::projfiles
