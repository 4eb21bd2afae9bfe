#include "citect/citect_data_source.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

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
  // The sort column first, then the tie-breaks other than it.
  std::vector<const CCitectGridCol*> keys{columns_[col]};
  for (const CCitectGridCol* c : tie_breaks_) {
    if (c != columns_[col]) keys.push_back(c);
  }
  const std::size_t n = rows_.size();

  // Every compared text folded once, and each row's texts side by side in one buffer, each
  // behind its length: a comparison then reads two short runs of bytes, whichever column
  // decides it, and the n log n comparisons stay byte compares.
  // The buffer is sized first: growing it row by row copied it over and over.
  std::size_t total = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const CCitectTrendTag& tag = record_at_(rows_[i]);
    for (const CCitectGridCol* key : keys) total += sizeof(std::uint32_t) + key->GetText(tag).size();
  }
  std::string folded(total, '\0');
  std::vector<std::size_t> starts(n);
  char* out = folded.data();
  for (std::size_t i = 0; i < n; ++i) {
    const CCitectTrendTag& tag = record_at_(rows_[i]);
    starts[i] = static_cast<std::size_t>(out - folded.data());
    for (const CCitectGridCol* key : keys) {
      const auto length = static_cast<std::uint32_t>(key->GetText(tag).size());
      std::memcpy(out, &length, sizeof length);
      out = key->WriteSortKey(tag, out + sizeof length);
    }
  }

  struct Entry {
    const char* texts;
    std::size_t row;
  };
  std::vector<Entry> entries(n);
  for (std::size_t i = 0; i < n; ++i) entries[i] = {folded.data() + starts[i], i};
  const std::size_t count = keys.size();
  std::sort(entries.begin(), entries.end(), [ascending, count](const Entry& a, const Entry& b) {
    const char* pa = a.texts;
    const char* pb = b.texts;
    for (std::size_t k = 0; k < count; ++k) {
      std::uint32_t la = 0;
      std::uint32_t lb = 0;
      std::memcpy(&la, pa, sizeof la);
      std::memcpy(&lb, pb, sizeof lb);
      pa += sizeof la;
      pb += sizeof lb;
      int c = std::string_view(pa, la).compare(std::string_view(pb, lb));
      if (k == 0 && !ascending) c = -c;
      if (c != 0) return c < 0;
      pa += la;
      pb += lb;
    }
    return false;
  });
  std::vector<int> sorted(n);
  for (std::size_t i = 0; i < n; ++i) sorted[i] = rows_[entries[i].row];
  rows_ = std::move(sorted);
  RebuildReverseMap();
}

void CCitectDataSource::RebuildReverseMap() {
  int size = 0;
  for (int pos : rows_) size = std::max(size, pos + 1);
  row_of_pos_.assign(size, -1);
  for (int row = 0; row < RowCount(); ++row) row_of_pos_[rows_[row]] = row;
}

}  // namespace kz::citect
