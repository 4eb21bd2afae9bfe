// DataFileIndex: how many client transfers store their records in each data file, with data files
// compared as the model compares them (ASCII letters without regard to case, nothing trimmed).
// Two counts per file: every transfer the model holds, and the live ones (removed mark clear).
//
// The model owns one and keeps it in step: every transfer it holds points at it (not owned) and
// reports each change of its data file and removed mark, so the uniqueness checks are look-ups
// instead of scans of every transfer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/no_case_index.h"

namespace kz::config {

class DataFileIndex {
 public:
  void Add(std::string_view data_file, bool live);
  void Remove(std::string_view data_file, bool live);
  void Clear();

  std::size_t LiveCount(std::string_view data_file) const;
  std::size_t AllCount(std::string_view data_file) const;

 private:
  struct Entry {
    std::string data_file;  // as first added; empty while the entry is free
    std::size_t all = 0;
    std::size_t live = 0;
  };
  const Entry* Find(std::string_view data_file) const;
  auto NameOf() const {
    return
        [this](platform::NoCaseIndex::Pos i) { return std::string_view(m_entries[i].data_file); };
  }

  std::vector<Entry> m_entries;
  std::vector<platform::NoCaseIndex::Pos> m_free;  // entries of data files no transfer uses now
  platform::NoCaseIndex m_index;                   // the entries by data file, without case
};

}  // namespace kz::config
