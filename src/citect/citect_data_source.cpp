#include "citect/citect_data_source.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

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

namespace {

// Rows sorted by their keys, which lie one after another in one buffer: a row's key is
// keys[starts[row], starts[row + 1]). Each pass sorts by the next eight bytes of the keys, held
// in the entries, so a pass reads each key once instead of once per comparison (the keys of
// 100,000 rows are far larger than the caches), and only rows still tied go on to the next pass.
class KeySorter {
 public:
  KeySorter(const std::string& keys, const std::vector<std::size_t>& starts)
      : keys_(keys), starts_(starts) {}

  // The rows 0 .. n - 1 in the order of their keys; rows with equal keys keep their order.
  std::vector<std::uint32_t> Sort() {
    const std::size_t n = starts_.size() - 1;
    std::vector<Entry> entries(n);
    for (std::size_t i = 0; i < n; ++i) entries[i].row = static_cast<std::uint32_t>(i);
    // Runs still to sort, kept here rather than on the call stack: rows that share a long text
    // go one pass deeper for every eight bytes of it.
    std::vector<Run> runs{{entries.data(), entries.data() + n, 0}};
    while (!runs.empty()) {
      const Run run = runs.back();
      runs.pop_back();
      SortRun(run, runs);
    }
    std::vector<std::uint32_t> rows(n);
    for (std::size_t i = 0; i < n; ++i) rows[i] = entries[i].row;
    return rows;
  }

 private:
  struct Entry {
    std::uint64_t chunk;  // eight bytes of the key from the pass's depth, big-endian, 0-padded
    std::uint32_t row;
  };

  std::uint64_t Chunk(std::uint32_t row, std::size_t depth) const {
    const std::size_t begin = starts_[row] + depth;
    const std::size_t end = starts_[row + 1];
    unsigned char bytes[8] = {};
    if (begin < end)
      std::memcpy(bytes, keys_.data() + begin, std::min<std::size_t>(8, end - begin));
    std::uint64_t chunk;
    std::memcpy(&chunk, bytes, sizeof chunk);
    return std::endian::native == std::endian::little ? __builtin_bswap64(chunk) : chunk;
  }

  struct Run {
    Entry* first;
    Entry* last;
    std::size_t depth;  // the bytes of their keys known to be equal
  };

  // The entries of a run come in row order, and leave in key order with ties in row order; the
  // groups still tied join `runs`.
  void SortRun(const Run& run, std::vector<Run>& runs) {
    const auto [first, last, depth] = run;
    bool tied = true;
    for (Entry* e = first; e != last; ++e) {
      e->chunk = Chunk(e->row, depth);
      tied = tied && e->chunk == first->chunk;
    }
    // Stable, so ties stay in row order for the next pass without comparing rows. A run that
    // shares these eight bytes (a column's value common to many rows) needs no sort at all.
    if (!tied) {
      std::stable_sort(first, last,
                       [](const Entry& a, const Entry& b) { return a.chunk < b.chunk; });
    }
    for (Entry* group = first; group != last;) {
      Entry* end = group + 1;
      while (end != last && end->chunk == group->chunk) ++end;
      // No key begins another, so keys tied up to the end of one are equal.
      if (end - group > 1 && starts_[group->row + 1] - starts_[group->row] > depth + 8) {
        runs.push_back({group, end, depth + 8});
      }
      group = end;
    }
  }

  const std::string& keys_;
  const std::vector<std::size_t>& starts_;
};

}  // namespace

void CCitectDataSource::SortBy(int col, bool ascending) {
  if (col < 0 || col >= static_cast<int>(columns_.size())) return;
  // The sort column first, then the tie-breaks other than it.
  std::vector<const CCitectGridCol*> keys{columns_[col]};
  for (const CCitectGridCol* c : tie_breaks_) {
    if (c != columns_[col]) keys.push_back(c);
  }
  const std::size_t n = rows_.size();

  // Each row's texts folded once, side by side in one buffer. It is sized from the first rows
  // rather than measured: a pass over every record only to measure costs as much as building.
  constexpr std::size_t kSampled = 64;
  std::size_t sampled = 0;
  for (std::size_t i = 0; i < std::min(n, kSampled); ++i) {
    const CCitectTrendTag& tag = record_at_(rows_[i]);
    for (const CCitectGridCol* key : keys) sampled += key->GetText(tag).size() + 2;
  }
  std::string buffer;
  // Capped: a few long texts among the first rows must not ask for a buffer as if every row
  // held them; past the cap it grows as needed.
  constexpr std::size_t kReserveCap = std::size_t{64} << 20;
  buffer.reserve(std::min(n <= kSampled ? sampled : sampled / kSampled * n * 9 / 8, kReserveCap));
  std::vector<std::size_t> starts(n + 1);
  for (std::size_t i = 0; i < n; ++i) {
    const CCitectTrendTag& tag = record_at_(rows_[i]);
    starts[i] = buffer.size();
    keys[0]->AppendSortKey(tag, !ascending, buffer);
    for (std::size_t k = 1; k < keys.size(); ++k) keys[k]->AppendSortKey(tag, false, buffer);
  }
  starts[n] = buffer.size();

  std::vector<int> sorted(n);
  const std::vector<std::uint32_t> order = KeySorter(buffer, starts).Sort();
  for (std::size_t i = 0; i < n; ++i) sorted[i] = rows_[order[i]];
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
