#include "support/kpj_project.h"

#include <algorithm>
#include <fstream>

namespace kz::test {
namespace {

constexpr const char* kEol = "\r\n";

void Header(std::string& out, const std::string& section) {
  out.append("[").append(section).append("]").append(kEol);
}

void Entry(std::string& out, const std::string& key, const std::string& value) {
  out.append(key).append("=").append(value).append(kEol);
}

// Fields 0 to 10 (enabled, port, poll minutes, retries, timeouts, ...) are the tool's own; 11
// and 12 are the log ID type and log ID; the last field closes with a comma too.
std::string DetailLine(const KpjTransferDef& t, std::size_t index) {
  return "1,0," + std::to_string(15 * (index % 4 + 1)) + ",3,30,0,0,1,0,0,0," +
         std::to_string(t.log_id_type) + "," + std::to_string(t.log_id) + ",";
}

std::string KpjProjectText(const KpjProject& project) {
  std::string out;
  out.reserve(256 + project.stations.size() * 200 + project.datalogs.size() * 600);
  Header(out, "Project");
  Entry(out, "Version", "3.2");
  out += kEol;
  struct List {
    KpjStationList list;
    const char* section;
    const char* fields;  // what follows the name on the list line
    const char* number_section;
  };
  for (const List& l : {List{KpjStationList::kPlantFloor, "Plant Floor Names", nullptr, nullptr},
                        List{KpjStationList::kBrenmark, "Brenmark", ",2,0", "Brenmark: "},
                        List{KpjStationList::kZel, "Zel Stations", ",1,0", "Zel: "}}) {
    std::string numbers;
    int n = 0;
    for (const auto& s : project.stations) {
      if (s.list != l.list) continue;
      if (n == 0) Header(out, l.section);
      const std::string value =
          l.fields ? s.name + l.fields : s.name + "," + std::to_string(s.number);
      Entry(out, std::to_string(n++), value);
      if (l.number_section) {
        Header(numbers, l.number_section + s.name);
        Entry(numbers, "StaNum", std::to_string(s.number));
        Entry(numbers, "Address", std::to_string(s.number));
        numbers += kEol;
      }
    }
    if (n > 0) out += kEol;
    out += numbers;
  }
  Header(out, "Quenda");
  int line = 0;
  for (const auto& s : project.stations) {
    for (const auto& d : s.datalogs) Entry(out, std::to_string(line++), s.name + "," + d + ",60");
  }
  out += kEol;
  for (const auto& d : project.datalogs) {
    if (!d.tags.empty()) {
      Header(out, "Quenda:" + d.name);
      for (std::size_t i = 0; i < d.tags.size(); ++i) Entry(out, std::to_string(i), d.tags[i]);
      out += kEol;
    }
    Header(out, "Client Transfers: " + d.name);
    for (std::size_t i = 0; i < d.transfers.size(); ++i) {
      const std::string key = std::to_string(i);
      Entry(out, key, "`" + d.transfers[i].name + "`,1,0");
      Entry(out, key + "a", DetailLine(d.transfers[i], i));
    }
    out += kEol;
  }
  return out;
}

}  // namespace

bool WriteKpjProject(const std::filesystem::path& path, const KpjProject& project) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string text = KpjProjectText(project);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out.flush());
}

KpjProject GeneratedKpjProject(int stations, int datalogs_per_station, int transfers_per_datalog) {
  constexpr int kStationsPerDatalog = 20;
  static constexpr std::int32_t kTypes[] = {129, 128, 0, 1};
  static constexpr const char* kKinds[] = {"Hourly", "Daily", "Alarm", "Flow", "Level"};
  KpjProject p;
  const int groups = std::max(1, stations / kStationsPerDatalog);
  for (int g = 0; g < groups; ++g) {
    for (int k = 0; k < datalogs_per_station; ++k) {
      auto& d = p.datalogs.emplace_back();
      d.name = std::string(kKinds[k % 5]) + std::to_string(k / 5) + "-G" + std::to_string(g);
      for (int t = 0; t < transfers_per_datalog; ++t) {
        d.transfers.push_back(
            {"Transfer " + std::to_string(t), kTypes[t % 4], static_cast<std::int32_t>(t)});
      }
      d.tags = {"Flow", "Level", "Interval:3600"};
    }
  }
  for (int i = 0; i < stations; ++i) {
    auto& s = p.stations.emplace_back();
    s.name = "Station " + std::to_string(i + 1);
    s.list = static_cast<KpjStationList>(i % 3);
    s.number = i + 1;
    const int g = i % groups;
    for (int k = 0; k < datalogs_per_station; ++k) {
      s.datalogs.push_back(p.datalogs[static_cast<std::size_t>(g * datalogs_per_station + k)].name);
    }
  }
  return p;
}

}  // namespace kz::test
