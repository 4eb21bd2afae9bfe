#include "citect/citect_data_source.h"

#include <algorithm>

namespace kz::citect {

void CCitectDataSource::SetTieBreakColumns(std::span<const int> ids) {
  tie_breaks_.clear();
  for (int id : ids) {
    const auto it = std::find_if(columns_.begin(), columns_.end(),
                                 [id](const CCitectGridCol* c) { return c->Id() == id; });
    if (it != columns_.end()) tie_breaks_.push_back(*it);
  }
}

bool CCitectDataSource::GetRecordPos(int row, int& pos) const {
  if (row < 0 || row >= RowCount()) return false;
  pos = rows_[row];
  return true;
}

int CCitectDataSource::GetRowOfRecord(int pos) const {
  if (pos < 0 || pos >= static_cast<int>(row_of_pos_.size())) return -1;
  return row_of_pos_[pos];
}

void CCitectDataSource::ResetRows() {
  rows_.clear();
  row_of_pos_.clear();
}

void CCitectDataSource::SetRows(std::span<const int> positions, int mode) {
  std::vector<int> added;
  for (int pos : positions) {
    if (pos < 0 || GetRowOfRecord(pos) >= 0) continue;
    if (pos >= static_cast<int>(row_of_pos_.size())) row_of_pos_.resize(pos + 1, -1);
    row_of_pos_[pos] = 0;  // shown from now on; the real row comes with the rebuild
    added.push_back(pos);
  }
  rows_.insert(mode == 1 ? rows_.end() : rows_.begin(), added.begin(), added.end());
  RebuildReverseMap();
}

void CCitectDataSource::RemoveRecordRows(std::span<const int> positions) {
  std::vector<int> removed(positions.begin(), positions.end());
  std::sort(removed.begin(), removed.end());
  removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
  std::vector<int> kept;
  kept.reserve(rows_.size());
  for (int pos : rows_) {
    const auto below = std::lower_bound(removed.begin(), removed.end(), pos);
    if (below != removed.end() && *below == pos) continue;
    kept.push_back(pos - static_cast<int>(below - removed.begin()));
  }
  rows_ = std::move(kept);
  RebuildReverseMap();
}

void CCitectDataSource::SortBy(int col, bool ascending) {
  if (col < 0 || col >= static_cast<int>(columns_.size())) return;
  const CCitectGridCol* key = columns_[col];
  std::vector<const CCitectGridCol*> ties;
  for (const CCitectGridCol* c : tie_breaks_) {
    if (c != key) ties.push_back(c);
  }
  // Resolve every position to its record once: the comparison runs n log n times.
  std::vector<std::pair<int, const CCitectTrendTag*>> keyed;
  keyed.reserve(rows_.size());
  for (int pos : rows_) keyed.emplace_back(pos, &record_at_(pos));
  std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    int c = key->Compare(*a.second, *b.second);
    if (!ascending) c = -c;
    for (auto t = ties.begin(); c == 0 && t != ties.end(); ++t) {
      c = (*t)->Compare(*a.second, *b.second);
    }
    return c < 0;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) rows_[i] = keyed[i].first;
  RebuildReverseMap();
}

void CCitectDataSource::RebuildReverseMap() {
  int size = 0;
  for (int pos : rows_) size = std::max(size, pos + 1);
  row_of_pos_.assign(size, -1);
  for (int row = 0; row < RowCount(); ++row) row_of_pos_[rows_[row]] = row;
}

}  // namespace kz::citect
