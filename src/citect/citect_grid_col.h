// CCitectGridCol: one column of the trend tag grid: which record field it shows, its heading and
// width, its group label, whether its cells can be edited (and with what), and how two records
// compare in it. The seven kinds differ only in those facts, so one class keyed by the column id
// stands for all of them. The facts live in one table, kCitectColumns; a column's id is its place
// in that table, so ids, headings, widths and kinds cannot fall out of step.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

// What a data cell of the column offers to edit it.
enum class CellKind {
  ReadOnly,
  Ellipsis,  // editable text with a button that opens a file dialog
  DropList,  // editable text with a list of choices
};

struct CitectColumnFacts {
  std::string CCitectTrendTag::*field;
  std::string_view heading;
  std::string_view group;  // the label over the column's group of headings
  int width;               // pixels
  CellKind kind;
  void (CCitectTrendTag::*setter)(std::string_view);  // null for a read-only column
};

// Every column, in the standard layout's display order.
inline constexpr std::array kCitectColumns{
    CitectColumnFacts{&CCitectTrendTag::m_strCitectProj, "Citect Project", "Citect", 100,
                      CellKind::ReadOnly, nullptr},
    CitectColumnFacts{&CCitectTrendTag::m_strTrendVar, "Trend Tag", "Citect", 110,
                      CellKind::ReadOnly, nullptr},
    CitectColumnFacts{&CCitectTrendTag::m_strProjFile, "Project File", "KALDEN", 100,
                      CellKind::Ellipsis, &CCitectTrendTag::SetProjFile},
    CitectColumnFacts{&CCitectTrendTag::m_strStaName, "Station Name", "KALDEN", 80,
                      CellKind::DropList, &CCitectTrendTag::SetStaName},
    CitectColumnFacts{&CCitectTrendTag::m_strDatalog, "Datalog Cfg", "KALDEN", 80,
                      CellKind::DropList, &CCitectTrendTag::SetDatalog},
    CitectColumnFacts{&CCitectTrendTag::m_strTagName, "Tag Name", "KALDEN", 100, CellKind::DropList,
                      &CCitectTrendTag::SetTagName},
    CitectColumnFacts{&CCitectTrendTag::m_strExpr, "Expression", "Citect", 110, CellKind::ReadOnly,
                      nullptr},
};

// The id of the column that shows `field`; not a constant (a compile error) for a field no
// column shows.
consteval int CitectColumnOf(std::string CCitectTrendTag::*field) {
  for (std::size_t i = 0; i < kCitectColumns.size(); ++i) {
    if (kCitectColumns[i].field == field) return static_cast<int>(i);
  }
  throw "no column shows this field";
}

// Column ids; in the standard layout a column's id is also its display index.
inline constexpr int kCitectProjCol = CitectColumnOf(&CCitectTrendTag::m_strCitectProj);
inline constexpr int kCitectTrendVarCol = CitectColumnOf(&CCitectTrendTag::m_strTrendVar);
inline constexpr int kCitectProjFileCol = CitectColumnOf(&CCitectTrendTag::m_strProjFile);
inline constexpr int kCitectStaNameCol = CitectColumnOf(&CCitectTrendTag::m_strStaName);
inline constexpr int kCitectDatalogCol = CitectColumnOf(&CCitectTrendTag::m_strDatalog);
inline constexpr int kCitectTagNameCol = CitectColumnOf(&CCitectTrendTag::m_strTagName);
inline constexpr int kCitectExprCol = CitectColumnOf(&CCitectTrendTag::m_strExpr);
inline constexpr int kCitectColumnCount = static_cast<int>(kCitectColumns.size());

class CCitectGridCol {
 public:
  // `id` is one of the column ids above.
  explicit CCitectGridCol(int id);

  int Id() const { return id_; }
  bool IsPathColumn() const { return id_ == kCitectProjFileCol; }
  std::string_view GetHeading() const { return Facts().heading; }
  std::string_view GetGroupLabel() const { return Facts().group; }
  int DefaultWidth() const { return Facts().width; }  // pixels
  CellKind Kind() const { return Facts().kind; }

  const std::string& GetText(const CCitectTrendTag& tag) const { return tag.*Facts().field; }
  // Stores an edit through the record's setter; read-only columns ignore it.
  void SetText(CCitectTrendTag& tag, std::string_view text) const;
  // An empty cell asks for attention (yellow background, red text).
  bool WantsAttention(const CCitectTrendTag& tag) const { return GetText(tag).empty(); }
  // <0, 0, >0 comparing the two records' texts without letter case.
  int Compare(const CCitectTrendTag& a, const CCitectTrendTag& b) const;
  // Appends the record's text to `key` in a form whose plain byte order is the order of Compare
  // (reversed when `descending`), so that a sort folds letter case once per row instead of once
  // per comparison. No text's form begins another's, so the forms of several columns placed one
  // after another compare as the columns do, one by one.
  void AppendSortKey(const CCitectTrendTag& tag, bool descending, std::string& key) const;

 private:
  const CitectColumnFacts& Facts() const { return kCitectColumns[id_]; }

  int id_;
};

}  // namespace kz::citect
