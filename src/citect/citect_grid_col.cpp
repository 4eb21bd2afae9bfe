#include "citect/citect_grid_col.h"

#include <cassert>

#include "platform/ascii_case.h"

namespace kz::citect {
namespace {

struct ColumnFacts {
  std::string_view heading;
  int width;
  std::string CCitectTrendTag::*field;
  CellKind kind;
};

constexpr std::array<ColumnFacts, kCitectColumnCount> kColumns{{
    {"Citect Project", 100, &CCitectTrendTag::m_strCitectProj, CellKind::ReadOnly},
    {"Trend Tag", 110, &CCitectTrendTag::m_strTrendVar, CellKind::ReadOnly},
    {"Project File", 100, &CCitectTrendTag::m_strProjFile, CellKind::Ellipsis},
    {"Station Name", 80, &CCitectTrendTag::m_strStaName, CellKind::DropList},
    {"Datalog Cfg", 80, &CCitectTrendTag::m_strDatalog, CellKind::DropList},
    {"Tag Name", 100, &CCitectTrendTag::m_strTagName, CellKind::DropList},
    {"Expression", 110, &CCitectTrendTag::m_strExpr, CellKind::ReadOnly},
}};

}  // namespace

CCitectGridCol::CCitectGridCol(int id) : id_(id) {
  assert(id >= 0 && id < kCitectColumnCount);
}

std::string_view CCitectGridCol::GetHeading() const { return kColumns[id_].heading; }
int CCitectGridCol::DefaultWidth() const { return kColumns[id_].width; }
CellKind CCitectGridCol::Kind() const { return kColumns[id_].kind; }

const std::string& CCitectGridCol::GetText(const CCitectTrendTag& tag) const {
  return tag.*kColumns[id_].field;
}

void CCitectGridCol::SetText(CCitectTrendTag& tag, std::string_view text) const {
  switch (id_) {
    case kCitectProjFileCol: tag.SetProjFile(text); break;
    case kCitectStaNameCol: tag.SetStaName(text); break;
    case kCitectDatalogCol: tag.SetDatalog(text); break;
    case kCitectTagNameCol: tag.SetTagName(text); break;
    default: break;
  }
}

int CCitectGridCol::Compare(const CCitectTrendTag& a, const CCitectTrendTag& b) const {
  return platform::CompareNoCase(GetText(a), GetText(b));
}

void CCitectGridCol::AppendSortKey(const CCitectTrendTag& tag, std::string& out) const {
  for (char c : GetText(tag)) out.push_back(platform::AsciiFold(c));
}

}  // namespace kz::citect
