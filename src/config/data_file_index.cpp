#include "config/data_file_index.h"

namespace kz::config {

void DataFileIndex::Add(std::string_view data_file, bool live) {
  auto it = m_counts.find(data_file);
  if (it == m_counts.end()) it = m_counts.emplace(std::string(data_file), Counts{}).first;
  Counts& counts = it->second;
  ++counts.all;
  if (live) ++counts.live;
}

void DataFileIndex::Remove(std::string_view data_file, bool live) {
  const auto it = m_counts.find(data_file);
  if (it == m_counts.end()) return;
  if (it->second.all > 0) --it->second.all;
  if (live && it->second.live > 0) --it->second.live;
  if (it->second.all == 0) m_counts.erase(it);
}

const DataFileIndex::Counts* DataFileIndex::Find(std::string_view data_file) const {
  const auto it = m_counts.find(data_file);
  return it == m_counts.end() ? nullptr : &it->second;
}

std::size_t DataFileIndex::LiveCount(std::string_view data_file) const {
  const Counts* counts = Find(data_file);
  return counts ? counts->live : 0;
}

std::size_t DataFileIndex::AllCount(std::string_view data_file) const {
  const Counts* counts = Find(data_file);
  return counts ? counts->all : 0;
}

}  // namespace kz::config
