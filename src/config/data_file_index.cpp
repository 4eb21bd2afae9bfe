#include "config/data_file_index.h"

namespace kz::config {

void DataFileIndex::Add(std::string_view data_file, bool live) {
  auto pos = static_cast<platform::NoCaseIndex::Pos>(m_entries.size());
  if (!m_free.empty()) pos = m_free.back();
  const auto [found, added] = m_index.TryEmplace(data_file, pos, NameOf());
  if (added) {
    if (pos == m_entries.size()) {
      m_entries.emplace_back();
    } else {
      m_free.pop_back();
    }
    m_entries[pos].data_file = data_file;
  }
  Entry& entry = m_entries[*found];
  ++entry.all;
  if (live) ++entry.live;
}

void DataFileIndex::Remove(std::string_view data_file, bool live) {
  platform::NoCaseIndex::Pos* found = m_index.Find(data_file, NameOf());
  if (!found) return;
  Entry& entry = m_entries[*found];
  if (entry.all > 0) --entry.all;
  if (live && entry.live > 0) --entry.live;
  if (entry.all > 0) return;
  m_free.push_back(*found);
  entry = {};
  m_index.Erase(found);
}

void DataFileIndex::Clear() {
  m_entries.clear();
  m_free.clear();
  m_index.Reset(0);
}

const DataFileIndex::Entry* DataFileIndex::Find(std::string_view data_file) const {
  const platform::NoCaseIndex::Pos* found = m_index.Find(data_file, NameOf());
  return found ? &m_entries[*found] : nullptr;
}

std::size_t DataFileIndex::LiveCount(std::string_view data_file) const {
  const Entry* counts = Find(data_file);
  return counts ? counts->live : 0;
}

std::size_t DataFileIndex::AllCount(std::string_view data_file) const {
  const Entry* counts = Find(data_file);
  return counts ? counts->all : 0;
}

}  // namespace kz::config
