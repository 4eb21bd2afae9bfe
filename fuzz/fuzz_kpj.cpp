// Station project files over arbitrary bytes. The one-pass load must hold exactly what reading
// the file key by key, one profile look-up per value, gives; the look-ups must agree with it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/number_text.h"
#include "platform/profile_document.h"
#include "projfiles/project_file_data.h"

namespace {

using kz::platform::ProfileDocument;
using kz::projfiles::CClientXferData;
using kz::projfiles::CProjectFileData;

void Check(bool ok) {
  if (!ok) std::abort();
}

// Key-by-key reading gives up on files naming more transfer copies than this.
constexpr std::size_t kMaxCopies = 20000;

struct Transfer {
  std::string name;
  std::optional<std::int32_t> type;
  std::int32_t id = -1;
  bool operator==(const Transfer&) const = default;
};

struct Station {
  std::string name;
  std::int32_t number = -1;
  std::map<std::string, std::vector<Transfer>> datalogs;
};

class KeyByKey {
 public:
  explicit KeyByKey(const ProfileDocument& doc) : doc_(doc) {}

  std::string Get(const std::string& section, const std::string& key) const {
    return doc_.GetString(section, key, "", 1024);
  }

  std::vector<std::string> List(const std::string& section) const {
    std::vector<std::string> values;
    for (int i = 0;; ++i) {
      std::string v = Get(section, std::to_string(i));
      if (v.empty()) return values;
      values.push_back(std::move(v));
    }
  }

  static std::vector<std::string> Tokens(const std::string& value) {
    std::vector<std::string> tokens;
    std::string token;
    for (char c : value + ",") {
      if (c != ',') {
        token += c;
      } else if (!token.empty()) {
        tokens.push_back(token);
        token.clear();
      }
    }
    return tokens;
  }

  static std::string BeforeComma(const std::string& value) {
    const auto comma = value.find(',');
    return comma == std::string::npos ? "" : value.substr(0, comma);
  }

  Transfer ReadTransfer(const std::string& section, const std::string& key) const {
    Transfer t;
    const std::string line = Get(section, key);
    for (char c : BeforeComma(line)) {
      if (c != '`') t.name += c;
    }
    const std::string detail = Get(section, key + "a");
    std::vector<std::string> fields;
    std::string field;
    for (char c : detail) {
      if (c == ',') {
        fields.push_back(field);
        field.clear();
      } else {
        field += c;
      }
    }
    if (fields.size() > 11) t.type = kz::config::ParseLeadingInt(fields[11]);
    if (fields.size() > 12) t.id = kz::config::ParseLeadingInt(fields[12]);
    return t;
  }

  // Empty when the file names more copies than kMaxCopies.
  std::optional<std::vector<Station>> Stations() const {
    std::map<std::string, std::int32_t> numbers;
    for (const auto& v : List("Plant Floor Names")) {
      const auto tokens = Tokens(v);
      if (!tokens.empty()) {
        numbers[tokens[0]] = tokens.size() > 1 ? kz::config::ParseLeadingInt(tokens[1]) : 0;
      }
    }
    for (const auto& v : List("Brenmark")) {
      const std::string name = BeforeComma(v);
      if (!name.empty()) {
        numbers[name] = kz::config::ParseLeadingInt(Get("Brenmark: " + name, "StaNum"));
      }
    }
    for (const auto& v : List("Zel Stations")) {
      const std::string name = BeforeComma(v);
      const std::string number = name.empty() ? "" : Get("Zel: " + name, "StaNum");
      if (!number.empty()) numbers[name] = kz::config::ParseLeadingInt(number);
    }
    std::vector<Station> stations;
    std::map<std::string, std::size_t> index;
    std::size_t copies = 0;
    for (const auto& v : List("Quenda")) {
      const auto tokens = Tokens(v);
      if (tokens.empty()) continue;
      const auto [at, added] = index.try_emplace(tokens[0], stations.size());
      if (added) {
        Station& created = stations.emplace_back();
        created.name = tokens[0];
        if (numbers.count(created.name)) created.number = numbers[created.name];
      }
      Station* s = &stations[at->second];
      if (tokens.size() < 2) continue;
      auto& list = s->datalogs[tokens[1]];
      const std::string section = "Client Transfers: " + tokens[1];
      for (int i = 0; !Get(section, std::to_string(i)).empty(); ++i) {
        if (++copies > kMaxCopies) return std::nullopt;
        Transfer t = ReadTransfer(section, std::to_string(i));
        if (t.type == 128) t.id = s->number;
        list.push_back(t);
      }
    }
    return stations;
  }

 private:
  const ProfileDocument& doc_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CProjectFileData project;
  project.LoadBytes("[Quenda]\n0=Stale,Stale\n");
  project.LoadBytes(bytes);

  Check(project.m_stationIndex.size() == project.m_stations.size());
  std::vector<std::string> names;
  project.GetStationNames(names);
  Check(names.size() == project.m_stations.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto& s = *project.m_stations[i];
    Check(names[i] == s.m_strName && project.m_stationIndex.at(names[i]) == &s);
    Check(project.GetStationNumber(names[i]) == s.m_nStationNumber);
    std::vector<std::string> datalogs, transfers;
    project.GetDatalogNames(names[i], datalogs);
    Check(datalogs.size() == s.m_datalogs.size());
    for (const auto& d : datalogs) {
      project.GetTransferNames(names[i], d, transfers);
      const auto& xfers = s.m_datalogs.at(d);
      Check(transfers.size() == xfers.size());
      for (std::size_t k = 0; k < xfers.size(); ++k) {
        const CClientXferData* found = project.GetTransfer(names[i], d, transfers[k]);
        Check(found && found->m_strName == transfers[k] && found >= &xfers[k]);
        if (xfers[k].m_nLogIDType == 128) Check(xfers[k].m_nLogID == s.m_nStationNumber);
      }
    }
  }

  const ProfileDocument doc(bytes);
  const auto expected = KeyByKey(doc).Stations();
  if (!expected || project.TransfersCut()) return 0;
  Check(expected->size() == project.m_stations.size());
  for (std::size_t i = 0; i < expected->size(); ++i) {
    const Station& want = (*expected)[i];
    const auto& got = *project.m_stations[i];
    Check(want.name == got.m_strName && want.number == got.m_nStationNumber);
    Check(want.datalogs.size() == got.m_datalogs.size());
    for (const auto& [name, list] : want.datalogs) {
      const auto it = got.m_datalogs.find(name);
      Check(it != got.m_datalogs.end() && it->second.size() == list.size());
      for (std::size_t k = 0; k < list.size(); ++k) {
        const auto& x = it->second[k];
        Check(list[k] == Transfer{x.m_strName, x.m_nLogIDType, x.m_nLogID});
      }
    }
  }
  return 0;
}
