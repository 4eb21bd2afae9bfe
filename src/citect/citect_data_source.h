// CCitectDataSource: the trend tag grid's row order, kept apart from the list it shows. Row r
// shows the record at list position GetRecordPos(r); sorting reorders the rows and never the
// list, so every edit, removal and selection reaches its record through this mapping.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "citect/citect_grid_col.h"
#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

class CCitectDataSource {
 public:
  // The record at a list position; never null for a position the rows hold.
  using RecordAt = std::function<const CCitectTrendTag&(int pos)>;

  explicit CCitectDataSource(RecordAt record_at) : record_at_(std::move(record_at)) {}

  // Appends a shown column (not owned; it must outlive the data source).
  void AddColumn(const CCitectGridCol* column) { columns_.push_back(column); }
  // The shown columns with these ids become the tie-breaks of a sort, in this order.
  void SetTieBreakColumns(std::span<const int> ids);

  int RowCount() const { return static_cast<int>(rows_.size()); }

  // False for a row outside the row order.
  bool GetRecordPos(int row, int& pos) const;
  // The row that shows a list position, -1 when none does.
  int GetRowOfRecord(int pos) const;

  void ResetRows();
  // Positions not yet shown become rows at the front (mode 0) or at the end (mode 1), in the
  // order given.
  void SetRows(std::span<const int> positions, int mode);
  // Drops the rows of these positions, and renumbers the others as the list renumbers them
  // once those records are removed from it.
  void RemoveRecordRows(std::span<const int> positions);
  void RemoveRecordRow(int pos) { RemoveRecordRows(std::span<const int>(&pos, 1)); }

  // Sorts the rows by the display column `col`, then by each tie-break column other than it,
  // ascending, until one differs. Rows equal in every column keep their order.
  void SortBy(int col, bool ascending);

 private:
  void RebuildReverseMap();

  RecordAt record_at_;
  std::vector<const CCitectGridCol*> columns_;  // display order, not owned
  std::vector<const CCitectGridCol*> tie_breaks_;
  std::vector<int> rows_;        // row -> list position
  std::vector<int> row_of_pos_;  // list position -> row, -1 for none
};

}  // namespace kz::citect
