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

#include "platform/ascii_case.h"

namespace kz::config {

class DataFileIndex {
 public:
  void Add(std::string_view data_file, bool live);
  void Remove(std::string_view data_file, bool live);
  void Clear() { m_counts.clear(); }

  std::size_t LiveCount(std::string_view data_file) const;
  std::size_t AllCount(std::string_view data_file) const;

 private:
  struct Counts {
    std::size_t all = 0;
    std::size_t live = 0;
  };
  const Counts* Find(std::string_view data_file) const;

  // By the data file as first added; looked up without case and without a lower-cased copy.
  platform::NoCaseMap<Counts> m_counts;
};

}  // namespace kz::config
