#include "projfiles/project_file_data.h"

#include <algorithm>
#include <utility>

#include "config/number_text.h"
#include "platform/ascii_case.h"
#include "platform/profile.h"
#include "projfiles/kpj_format.h"

namespace kz::projfiles {
namespace {

using config::ParseLeadingInt;
using platform::ProfileDocument;

// Transfer copies may hold this many bytes, plus so many per byte of the file. A project of
// 2,000 stations sharing a hundred configurations (bench_kpj) holds about 9 bytes of transfers
// per byte of its file.
constexpr std::size_t kHeldFloor = std::size_t{4} << 20;
constexpr std::size_t kHeldPerFileByte = 32;

std::size_t Held(const CClientXferData& x) {
  return sizeof(CClientXferData) + x.m_strName.size();
}

// "Plant Floor Names" and "Quenda" values: split at commas with empty fields dropped, so a run
// of commas is one separator and a leading comma is ignored. Only the first two fields are used.
std::pair<std::string_view, std::string_view> FirstTwoFields(std::string_view value) {
  std::string_view fields[2];
  int found = 0;
  std::size_t pos = 0;
  while (found < 2 && pos < value.size()) {
    if (value[pos] == ',') {
      ++pos;
      continue;
    }
    const std::size_t end = std::min(value.find(',', pos), value.size());
    fields[found++] = value.substr(pos, end - pos);
    pos = end;
  }
  return {fields[0], fields[1]};
}

template <typename Map, typename Value>
void Assign(Map& map, std::string_view key, Value value) {
  if (const auto it = map.find(key); it != map.end()) {
    it->second = std::move(value);
  } else {
    map.emplace(std::string(key), std::move(value));
  }
}

// The transfers of each "Client Transfers: " section, read once however many "Quenda" lines name
// its configuration. Parses are keyed by the section name as the look-up matches it (outer spaces
// dropped, without case), so that names differing only in case share one; configuration names
// seen before find theirs without building that key.
class TransferSections {
 public:
  explicit TransferSections(const ProfileDocument& doc) : doc_(doc) {}

  const CClientXferArray& Of(std::string_view datalog) {
    if (const auto seen = by_name_.find(datalog); seen != by_name_.end()) return *seen->second;
    std::string section = std::string(kKpjClientTransfers).append(datalog);
    while (!section.empty() && section.back() == ' ') section.pop_back();
    auto [it, unread] = parsed_.try_emplace(platform::AsciiLower(section));
    by_name_.emplace(std::string(datalog), &it->second);
    if (unread) {
      const ProfileDocument::Section lines = doc_.FindSection(section);
      const std::vector<std::string_view> names = KpjList(doc_, section);
      it->second.reserve(names.size());
      std::string key;
      for (std::size_t i = 0; i < names.size(); ++i) {
        key = std::to_string(i) + 'a';
        it->second.emplace_back().Parse(names[i], lines.Find(key).value_or(""));
      }
    }
    return it->second;
  }

 private:
  const ProfileDocument& doc_;
  std::map<std::string, CClientXferArray> parsed_;
  std::map<std::string, const CClientXferArray*, std::less<>> by_name_;  // not owned
};

}  // namespace

void CProjectFileData::Load(const std::string& path) {
  Fill(*platform::ProfileSnapshot(path));
}

void CProjectFileData::LoadBytes(std::string_view bytes) {
  Fill(ProfileDocument(bytes));
}

void CProjectFileData::Fill(const ProfileDocument& doc) {
  m_stationIndex.clear();
  m_stations.clear();
  m_stationNumbers.clear();
  transfers_cut_ = false;

  // Later lists replace numbers of earlier ones.
  for (const std::string_view value : KpjList(doc, kKpjPlantFloorNames)) {
    const auto [name, number] = FirstTwoFields(value);
    if (!name.empty()) Assign(m_stationNumbers, name, ParseLeadingInt(number));
  }
  std::string section;
  for (const std::string_view value : KpjList(doc, kKpjBrenmark)) {
    const std::string_view name = KpjLeadingName(value);
    if (name.empty()) continue;
    section.assign(kKpjBrenmarkStation).append(name);
    const auto number = doc.Find(section, kKpjStaNum).value_or("");
    Assign(m_stationNumbers, name, ParseLeadingInt(KpjValue(number)));
  }
  for (const std::string_view value : KpjList(doc, kKpjZelStations)) {
    const std::string_view name = KpjLeadingName(value);
    if (name.empty()) continue;
    section.assign(kKpjZelStation).append(name);
    const auto number = doc.Find(section, kKpjStaNum).value_or("");
    if (!number.empty()) Assign(m_stationNumbers, name, ParseLeadingInt(KpjValue(number)));
  }

  TransferSections transfers(doc);
  const std::size_t budget = kHeldFloor + kHeldPerFileByte * doc.Source().size();
  std::size_t held = 0;
  for (const std::string_view value : KpjList(doc, kKpjQuenda)) {
    const auto [name, datalog] = FirstTwoFields(value);
    if (name.empty()) continue;  // only commas: no station is named
    auto found = m_stationIndex.find(name);
    if (found == m_stationIndex.end()) {
      auto& station = *m_stations.emplace_back(std::make_unique<CDatalogStation>());
      station.m_strName = name;
      // The number is taken when the station first appears, never again.
      if (const auto number = m_stationNumbers.find(name); number != m_stationNumbers.end()) {
        station.m_nStationNumber = number->second;
      }
      found = m_stationIndex.emplace(station.m_strName, &station).first;
    }
    CDatalogStation& station = *found->second;
    if (datalog.empty()) continue;
    auto configuration = station.m_datalogs.find(datalog);
    if (configuration == station.m_datalogs.end()) {
      configuration = station.m_datalogs.emplace(std::string(datalog), CClientXferArray{}).first;
    }
    if (transfers_cut_) continue;
    const CClientXferArray& parsed = transfers.Of(datalog);
    CClientXferArray& copies = configuration->second;
    // A line repeating a station and configuration appends the transfers once more; only the
    // first needs no growth.
    if (copies.empty()) copies.reserve(parsed.size());
    for (const CClientXferData& x : parsed) {
      if (held + Held(x) > budget) {
        transfers_cut_ = true;
        break;
      }
      held += Held(x);
      CClientXferData& copy = copies.emplace_back(x);
      if (copy.m_nLogIDType == LOGID_STATION) copy.m_nLogID = station.m_nStationNumber;
    }
  }
}

const CDatalogStation* CProjectFileData::FindStation(std::string_view station) const {
  const auto it = m_stationIndex.find(station);
  return it == m_stationIndex.end() ? nullptr : it->second;
}

const CClientXferArray* CProjectFileData::FindTransfers(std::string_view station,
                                                        std::string_view datalog) const {
  const CDatalogStation* s = FindStation(station);
  if (!s) return nullptr;
  const auto it = s->m_datalogs.find(datalog);
  return it == s->m_datalogs.end() ? nullptr : &it->second;
}

void CProjectFileData::GetStationNames(std::vector<std::string>& names) const {
  names.clear();
  names.reserve(m_stations.size());
  for (const auto& s : m_stations) names.push_back(s->m_strName);
}

void CProjectFileData::GetDatalogNames(std::string_view station,
                                       std::vector<std::string>& names) const {
  names.clear();
  if (const CDatalogStation* s = FindStation(station)) {
    for (const auto& entry : s->m_datalogs) names.push_back(entry.first);
  }
}

std::int32_t CProjectFileData::GetStationNumber(std::string_view station) const {
  const CDatalogStation* s = FindStation(station);
  return s ? s->m_nStationNumber : -1;
}

void CProjectFileData::GetTransferNames(std::string_view station, std::string_view datalog,
                                        std::vector<std::string>& names) const {
  names.clear();
  if (const CClientXferArray* xfers = FindTransfers(station, datalog)) {
    names.reserve(xfers->size());
    for (const auto& x : *xfers) names.push_back(x.m_strName);
  }
}

const CClientXferData* CProjectFileData::GetTransfer(std::string_view station,
                                                     std::string_view datalog,
                                                     std::string_view transfer) const {
  const CClientXferArray* xfers = FindTransfers(station, datalog);
  if (!xfers) return nullptr;
  for (auto it = xfers->rbegin(); it != xfers->rend(); ++it) {
    if (it->m_strName == transfer) return &*it;
  }
  return nullptr;
}

}  // namespace kz::projfiles
