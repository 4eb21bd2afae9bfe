#include "projfiles/citect_data_mgr.h"

#include <array>
#include <set>

#include "config/get_field.h"
#include "config/number_text.h"
#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/file_lookup.h"
#include "platform/profile.h"
#include "projfiles/citect_install.h"
#include "projfiles/dbase_file.h"
#include "projfiles/kpj_format.h"
#include "projfiles/trend_store.h"

namespace kz::projfiles {
namespace {

using config::GetField;
using platform::AsciiLower;
using platform::EqualsNoCase;

std::string CacheKey(std::string_view path, std::string_view name) {
  return AsciiLower(path) + ':' + AsciiLower(name);
}

// The number of the table's field with that name; 0, which no field has, when it lacks one.
std::int32_t FieldNumber(const CDBaseFile& table, std::string_view name) {
  const CFieldNode* node = table.Fields().FindFieldByName(name);
  return node ? node->m_nNumber : 0;
}

// The cached list of `key`, filled by `fill` on first use. A file without the sections gives an
// empty list, which is cached as well.
template <typename List, typename Fill>
const List& Cached(std::unordered_map<std::string, List>& cache, const std::string& key,
                   Fill fill) {
  auto [it, inserted] = cache.try_emplace(key);
  if (inserted) fill(it->second);
  return it->second;
}

}  // namespace

int CCitectDataMgr::ReadWrite(const std::string& path, bool save) {
  return save ? Save(path) : Load(path);
}

int CCitectDataMgr::Load(const std::string& path) {
  m_tags.RemoveAll();
  m_stationCache.clear();
  m_datalogCache.clear();
  m_tagCache.clear();
  m_quendaByStation.clear();

  CDBaseFile table;
  m_storeStatus = table.Open(platform::ResolveCase(path), CDBaseFile::Mode::ReadOnly);
  if (!m_storeStatus) return kDataFailed;
  std::set<std::string> projects;
  std::unordered_map<std::string, citect::CCitectTrendTag*> by_key;
  // Each column's field is found once, not by name again for every record.
  std::array<std::int32_t, kTrendStoreColumns.size()> columns{};
  for (std::size_t i = 0; i < columns.size(); ++i) {
    columns[i] = FieldNumber(table, kTrendStoreColumns[i].name);
  }
  std::string values[kTrendStoreColumns.size()];
  for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      // A field the table lacks reads as empty, as the fixed-size buffer it stands in for would.
      if (table.ReadField(values[i], columns[i]) != kDbfDone) values[i].clear();
    }
    if (values[0].empty() || values[1].empty()) continue;
    auto& tag = m_tags.Add();
    tag.m_strCitectProj = values[0];
    tag.m_strTrendVar = values[1];
    tag.m_strProjFile = values[2];
    tag.m_strStaName = values[3];
    tag.m_strDatalog = values[4];
    tag.m_strTagName = values[5];
    projects.insert(AsciiLower(tag.m_strCitectProj));
    // The later record of a key wins, as it does for the expressions below.
    by_key[tag.TrendTagKey()] = &tag;
  }
  // A list cut short by a failed read would lose its rest at the next save.
  m_storeStatus = table.ReadStatus();
  if (!m_storeStatus) return kDataFailed;
  table.Close();

  std::unordered_map<std::string, std::string> expressions;
  for (const auto& project : projects) {
    expressions.clear();
    if (ReadTrendExpressions(project, expressions) != kDataOk) return kDataFailed;
    for (const auto& [name, expr] : expressions) {
      if (auto it = by_key.find(citect::TrendTagKey(name, project)); it != by_key.end()) {
        it->second->m_strExpr = expr;
      }
    }
  }
  return kDataOk;
}

int CCitectDataMgr::Save(const std::string& path) {
  // A list whose store could not be read whole lacks the bindings it never got; written, it
  // would replace them. A store that was not there is a new, empty list.
  if (!m_storeStatus && !m_storeStatus.Is(Status::Kind::kNotFound)) return kDataFailed;
  const auto image = CDBaseFile::CreateImage(TrendStoreFields(), LocalDate());
  CDBaseFile table;
  if (!image || !table.OpenBytes(*image, CDBaseFile::Mode::ReadWrite)) return kDataFailed;
  for (std::size_t i = 0; i < m_tags.size(); ++i) {
    const auto& t = m_tags[i];
    if (table.AppendRecord({t.m_strCitectProj, t.m_strTrendVar, t.m_strProjFile, t.m_strStaName,
                            t.m_strDatalog, t.m_strTagName}) != kDbfDone) {
      return kDataFailed;
    }
  }
  table.Close();
  // Built in memory and replaced in one step, so a failed save leaves the old list whole.
  return platform::WriteFileAtomically(platform::ResolveCase(path), table.Bytes()) ? kDataOk
                                                                                   : kDataFailed;
}

int CCitectDataMgr::ReadTrendExpressions(
    std::string_view project, std::unordered_map<std::string, std::string>& expressions) {
  const std::string user = CitectUserFolderFromIni();
  if (user.empty()) {
    ui_.MessageBox("Unable to locate the Citect user folder location.", "Error", ui::Buttons::Ok,
                   ui::Icon::Exclamation);
    return kDataFailed;
  }
  const std::string path = CitectProjectFolder(user, project) + "trend.dbf";
  const auto unable = [&] {
    ui_.MessageBox("Unable to access trend tag list - the file may be in use by Citect.\n\n" + path,
                   "Error", ui::Buttons::Ok, ui::Icon::Exclamation);
    return kDataFailed;
  };
  CDBaseFile table;
  if (!table.Open(platform::ResolveCase(path), CDBaseFile::Mode::ReadOnly)) return unable();
  const std::int32_t name_field = FieldNumber(table, "NAME");
  const std::int32_t expr_field = FieldNumber(table, "EXPR");
  std::string name, expr;
  for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
    if (table.ReadField(name, name_field) != kDbfDone) name.clear();
    if (table.ReadField(expr, expr_field) != kDbfDone) expr.clear();
    expressions[name] = expr;
  }
  if (!table.ReadStatus()) return unable();
  table.Close();
  return kDataOk;
}

const std::vector<CStaInfo>& CCitectDataMgr::GetStations(const std::string& path) {
  return Cached(m_stationCache, path, [&](std::vector<CStaInfo>& stations) {
    const auto doc = platform::ProfileSnapshot(path);
    struct Pass {
      std::string_view list;
      std::string_view section_prefix;
      int name_length;
    };
    for (const Pass& pass :
         {Pass{kKpjZelStations, kKpjZelStation, 25}, Pass{kKpjBrenmark, kKpjBrenmarkStation, 80}}) {
      for (const auto value : KpjList(*doc, pass.list)) {
        CStaInfo info;
        info.m_strName = GetField(value, ',', 1, pass.name_length);
        info.m_datalogNames = GetDatalogConfigs(path, info.m_strName);
        const std::string section = std::string(pass.section_prefix) + info.m_strName;
        info.m_nStationNumber =
            config::ParseLeadingInt(doc->GetString(section, kKpjStaNum, "", kKpjValueSize));
        stations.push_back(std::move(info));
      }
    }
  });
}

const std::vector<std::string>& CCitectDataMgr::GetDatalogConfigs(const std::string& path,
                                                                  const std::string& station) {
  return Cached(m_datalogCache, CacheKey(path, station), [&](std::vector<std::string>& configs) {
    QuendaGroups& groups = m_quendaByStation[AsciiLower(path)];
    // The profile cache hands out the same parsed file until the file changes.
    if (auto doc = platform::ProfileSnapshot(path); doc != groups.source) {
      groups.by_station.clear();
      for (const auto value : KpjList(*doc, kKpjQuenda)) {
        groups.by_station[AsciiLower(GetField(value, ',', 1, 80))].push_back(
            GetField(value, ',', 2, 80));
      }
      groups.source = std::move(doc);
    }
    if (auto found = groups.by_station.find(AsciiLower(station));
        found != groups.by_station.end()) {
      configs = found->second;
    }
  });
}

const std::vector<std::string>& CCitectDataMgr::GetDatalogTags(const std::string& path,
                                                               const std::string& datalog) {
  return Cached(m_tagCache, CacheKey(path, datalog), [&](std::vector<std::string>& tags) {
    const auto doc = platform::ProfileSnapshot(path);
    for (const auto value : KpjList(*doc, std::string(kKpjQuendaTags) + AsciiLower(datalog))) {
      if (value.find(':') == std::string_view::npos) tags.emplace_back(value);
    }
  });
}

void CCitectDataMgr::AppendCopies(const citect::CCitectTrendTagArray& other) {
  for (std::size_t i = 0; i < other.size(); ++i) m_tags.Add().CopyFrom(other[i]);
}

}  // namespace kz::projfiles
