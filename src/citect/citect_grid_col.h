// CCitectGridCol: one column of the trend tag grid: which record field it shows, its heading and
// width, whether its cells can be edited (and with what), and how two records compare in it.
// The seven kinds differ only in those facts, so one class keyed by the column id stands for
// all of them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

// Column ids; in the standard layout a column's id is also its display index.
inline constexpr int kCitectProjCol = 0;
inline constexpr int kCitectTrendVarCol = 1;
inline constexpr int kCitectProjFileCol = 2;
inline constexpr int kCitectStaNameCol = 3;
inline constexpr int kCitectDatalogCol = 4;
inline constexpr int kCitectTagNameCol = 5;
inline constexpr int kCitectExprCol = 6;
inline constexpr int kCitectColumnCount = 7;

// What a data cell of the column offers to edit it.
enum class CellKind {
  ReadOnly,
  Ellipsis,  // editable text with a button that opens a file dialog
  DropList,  // editable text with a list of choices
};

class CCitectGridCol {
 public:
  // `id` is one of the column ids above.
  explicit CCitectGridCol(int id);

  int Id() const { return id_; }
  bool IsPathColumn() const { return id_ == kCitectProjFileCol; }
  std::string_view GetHeading() const;
  int DefaultWidth() const;  // pixels
  CellKind Kind() const;

  const std::string& GetText(const CCitectTrendTag& tag) const;
  // Stores an edit through the record's setter; read-only columns ignore it.
  void SetText(CCitectTrendTag& tag, std::string_view text) const;
  // An empty cell asks for attention (yellow background, red text).
  bool WantsAttention(const CCitectTrendTag& tag) const { return GetText(tag).empty(); }
  // <0, 0, >0 comparing the two records' texts without letter case.
  int Compare(const CCitectTrendTag& a, const CCitectTrendTag& b) const;
  // Appends the record's text in the form whose plain byte order is the order of Compare, so
  // that a sort can fold letter case once per row instead of once per comparison.
  void AppendSortKey(const CCitectTrendTag& tag, std::string& out) const;

 private:
  int id_;
};

}  // namespace kz::citect
