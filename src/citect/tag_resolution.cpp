#include "citect/tag_resolution.h"

#include <algorithm>

#include "config/get_field.h"
#include "platform/ascii_case.h"
#include "platform/profile.h"
#include "projfiles/kpj_format.h"

namespace kz::citect {
namespace {

using config::GetField;

// Longest station names the station lists give.
constexpr int kZelNameLength = 25;
constexpr int kNameLength = 80;
constexpr std::size_t kListedRepeats = 10;

}  // namespace

void CTagResolution::BuildExpressionMap(const std::vector<CCitectTrendTag*>& tags) {
  for (CCitectTrendTag* tag : tags) {
    if (tag) by_expression_[tag->m_strExpr] = tag;
  }
  entered_.clear();
  for (CCitectTrendTag* tag : tags) {
    if (!tag) continue;
    const auto it = by_expression_.find(tag->m_strExpr);
    // The same record may be selected twice; it is entered once.
    if (it->second == tag) {
      entered_.push_back(tag);
      it->second = nullptr;
    }
  }
  for (CCitectTrendTag* tag : entered_) by_expression_[tag->m_strExpr] = tag;
}

bool CTagResolution::IsExpression(const std::string& name) const {
  return by_expression_.count(name) != 0;
}

void CTagResolution::AddVariable(const std::string& name, std::string_view unit) {
  if (by_expression_.count(name)) units_[name] = unit;
}

void CTagResolution::FindStationNames() {
  for (CCitectTrendTag* tag : entered_) {
    if (const auto it = units_.find(tag->m_strExpr); it != units_.end()) {
      tag->m_strStaName = it->second;
    }
  }
}

void CTagResolution::CollectStationNames(const std::string& path) {
  const auto doc = platform::ProfileSnapshot(path);
  const auto collect = [&](std::string_view list, int length) {
    for (std::string_view value : projfiles::KpjList(*doc, list)) {
      std::string name = GetField(value, ',', 1, length);
      if (name.empty()) continue;
      if (station_files_.try_emplace(name, path).second) continue;
      if (reported_.insert(name).second) repeated_.push_back(std::move(name));
    }
  };
  collect(projfiles::kKpjZelStations, kZelNameLength);
  collect(projfiles::kKpjBrenmark, kNameLength);
}

const std::string* CTagResolution::StationFile(const std::string& station) const {
  const auto it = station_files_.find(station);
  return it == station_files_.end() ? nullptr : &it->second;
}

void CTagResolution::AddToStationGroup(CCitectTrendTag& record) {
  const auto [it, added] = group_of_station_.try_emplace(record.m_strStaName, groups_.size());
  if (added) groups_.emplace_back();
  groups_[it->second].push_back(&record);
  const std::string* file = StationFile(record.m_strStaName);
  record.m_strProjFile = file ? *file : std::string();
}

std::vector<std::vector<CCitectTrendTag*>> CTagResolution::StationGroups() const {
  auto groups = groups_;
  std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
    return a.front()->m_strProjFile < b.front()->m_strProjFile;
  });
  return groups;
}

void CTagResolution::BuildTagMap(std::string_view station, const std::string& path, TagMap& tags) {
  const auto doc = platform::ProfileSnapshot(path);
  for (std::string_view line : projfiles::KpjList(*doc, projfiles::kKpjQuenda)) {
    if (!platform::EqualsNoCase(GetField(line, ',', 1, kNameLength), station)) continue;
    const std::string datalog = GetField(line, ',', 2, kNameLength);
    const std::string section = std::string(projfiles::kKpjQuendaTags) + datalog;
    for (std::string_view tag : projfiles::KpjList(*doc, section)) {
      tags[std::string(tag)].push_back(datalog);
    }
  }
}

void CTagResolution::ResolveStation(const std::vector<CCitectTrendTag*>& records) {
  if (records.empty()) return;
  const CCitectTrendTag& first = *records.front();
  // A station that no project file lists has nothing to look up; reading "" would reach a file
  // of the Windows directory instead.
  if (first.m_strProjFile.empty()) return;
  TagMap tags;
  BuildTagMap(first.m_strStaName, first.m_strProjFile, tags);
  for (CCitectTrendTag* record : records) {
    std::string candidate = record->m_strExpr;
    auto it = tags.find(candidate);
    if (it == tags.end()) {
      const std::size_t underscore = candidate.find('_');
      if (underscore != std::string::npos && underscore + 1 < candidate.size()) {
        candidate.erase(0, underscore + 1);
        it = tags.find(candidate);
      }
    }
    if (it == tags.end()) continue;
    record->m_strTagName = candidate;
    if (!it->second.empty()) record->m_strDatalog = it->second.front();
  }
}

std::string RepeatedNamesList(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < kListedRepeats; ++i) list += names[i] + '\n';
  if (names.size() > kListedRepeats) list += "more...";
  return list;
}

}  // namespace kz::citect
