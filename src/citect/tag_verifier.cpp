#include "citect/tag_verifier.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "platform/ascii_case.h"
#include "platform/file_lookup.h"
#include "platform/position_index.h"

namespace kz::citect {
namespace {

using platform::AsciiLower;

std::string Describe(std::string_view what, const CCitectTrendTag& t) {
  return std::string(what) + ": trend tag name = " + t.m_strTrendVar +
         ", Citect project = " + t.m_strCitectProj + ".";
}

// The complete records grouped by datalog, datalogs in the order they first occur.
struct Datalogs {
  std::vector<std::uint32_t> first;    // the record that opens each datalog
  std::vector<std::uint32_t> start;    // datalog d's records are members[start[d], start[d + 1])
  std::vector<std::uint32_t> members;  // record indices, in list order within each datalog
};

// Phase 1: what each record lacks, duplicates, and the records of each datalog.
Datalogs CheckRecords(const CCitectTrendTagArray& tags, std::vector<std::string>& warnings) {
  constexpr std::uint32_t kNone = UINT32_MAX;
  const auto count = static_cast<std::uint32_t>(tags.size());
  Datalogs datalogs;
  std::vector<std::uint32_t> datalog_of(count, kNone);
  // Record indices by datalog and by trend tag key, compared through the records themselves: no
  // key string or node per record.
  platform::PositionIndex by_datalog;
  platform::PositionIndex by_trend_tag;
  by_datalog.Reset(count);
  by_trend_tag.Reset(count);
  std::vector<bool> reported(count);  // by the record that first has the trend tag key
  for (std::uint32_t i = 0; i < count; ++i) {
    const CCitectTrendTag& t = tags[i];
    if (t.IsComplete()) {
      const auto same = [&](std::uint32_t r) { return tags[r].SameDatalog(t); };
      const std::uint32_t first = *by_datalog.TryEmplace(t.DatalogHash(), i, same).first;
      if (first == i) {
        datalog_of[i] = static_cast<std::uint32_t>(datalogs.first.size());
        datalogs.first.push_back(i);
      } else {
        datalog_of[i] = datalog_of[first];
      }
    } else {
      warnings.push_back(Describe("Tag configuration incomplete", t));
      if (t.m_strExpr.empty()) {
        warnings.push_back(Describe("Citect trend tag `Expression` field not complete", t));
      }
    }
    if (t.m_strTrendVar.empty() || t.m_strCitectProj.empty()) continue;
    const auto same = [&](std::uint32_t r) { return tags[r].SameTrendTag(t); };
    const std::uint32_t first = *by_trend_tag.TryEmplace(t.TrendTagHash(), i, same).first;
    // Reported once, at the second occurrence, however often it occurs.
    if (first != i && !reported[first]) {
      reported[first] = true;
      warnings.push_back(Describe("Duplicate trend tags found", t));
    }
  }
  // The records by datalog: counted, then placed in list order.
  datalogs.start.assign(datalogs.first.size() + 1, 0);
  for (std::uint32_t d : datalog_of) {
    if (d != kNone) ++datalogs.start[d + 1];
  }
  std::partial_sum(datalogs.start.begin(), datalogs.start.end(), datalogs.start.begin());
  datalogs.members.resize(datalogs.start.back());
  std::vector<std::uint32_t> next(datalogs.start.begin(), datalogs.start.end() - 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (datalog_of[i] != kNone) datalogs.members[next[datalog_of[i]]++] = i;
  }
  return datalogs;
}

// Finds the files that lower-cased project file paths name, as platform::ResolveCase would, but
// lists each folder once: bindings spread over a folder of many files would otherwise search the
// whole folder once a file, the square of its size. Bare names are left to the data manager (they
// name files of the Windows directory); its caches take the path lower-cased, so they see the
// same key either way.
class ProjectFileFinder {
 public:
  std::string Find(const std::string& lower_path) {
    const std::size_t slash = lower_path.rfind('/');
    if (slash == std::string::npos) return lower_path;
    const std::string name = lower_path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") {
      return platform::ResolveCase(lower_path).string();
    }
    const Folder& folder = Listed(lower_path.substr(0, slash));
    // A folder that matches nothing leaves the path as given, so the read fails as it would have.
    if (!folder.listed) return lower_path;
    const auto match = folder.names.find(name);
    return folder.path + '/' + (match == folder.names.end() ? name : match->second);
  }

 private:
  struct Folder {
    bool listed = false;
    std::string path;  // as found without case
    // Each name by its folded self: the one written in lower case when there is one (a
    // lower-cased path names it exactly), else the first in sorted order.
    platform::NoCaseMap<std::string> names;
  };

  const Folder& Listed(const std::string& lower_folder) {
    auto [entry, added] = folders_.try_emplace(lower_folder);
    Folder& folder = entry->second;
    if (!added) return folder;
    folder.path =
        lower_folder.empty() ? std::string() : platform::ResolveCase(lower_folder).string();
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.path.empty() ? "/" : folder.path, ec), end;
    folder.listed = !ec;
    for (; !ec && it != end; it.increment(ec)) {
      std::string candidate = it->path().filename().string();
      auto [named, fresh] = folder.names.try_emplace(candidate, candidate);
      if (fresh || named->second == AsciiLower(named->second)) continue;
      if (candidate == AsciiLower(candidate) || candidate < named->second) {
        named->second = std::move(candidate);
      }
    }
    return folder;
  }

  std::unordered_map<std::string, Folder> folders_;  // by lower-cased folder path
};

}  // namespace

std::vector<std::string> VerifyTags(const CCitectTrendTagArray& tags,
                                    projfiles::CCitectDataMgr& data, const VerifyStatus& status) {
  const auto announce = [&](std::string_view text) {
    if (status) status(text);
  };
  std::vector<std::string> warnings;

  announce(kBuildingLookup);
  const Datalogs datalogs = CheckRecords(tags, warnings);

  // Every record of a datalog asks for the same file and datalog (the station takes no part), so
  // its first record reads the names for all of them.
  announce(kReadingProjectFiles);
  // The manager keeps each list it gives until its next load, so the names are viewed, not
  // copied: one sorted list of views per datalog.
  std::vector<std::vector<std::string_view>> defined(datalogs.first.size());
  ProjectFileFinder finder;
  for (std::size_t d = 0; d < defined.size(); ++d) {
    const CCitectTrendTag& t = tags[datalogs.first[d]];
    const auto& names =
        data.GetDatalogTags(finder.Find(AsciiLower(t.m_strProjFile)), AsciiLower(t.m_strDatalog));
    defined[d].assign(names.begin(), names.end());
    std::sort(defined[d].begin(), defined[d].end());
  }

  announce(kCheckingTagNames);
  for (std::size_t d = 0; d < defined.size(); ++d) {
    const CCitectTrendTag& t = tags[datalogs.first[d]];
    announce("Checking " + AsciiLower(t.m_strProjFile) + "/" + AsciiLower(t.m_strStaName) + "/" +
             AsciiLower(t.m_strDatalog) + "...");
    for (std::uint32_t m = datalogs.start[d]; m < datalogs.start[d + 1]; ++m) {
      const std::string& name = tags[datalogs.members[m]].m_strTagName;
      // Names compare as written: a name that differs only in case is not defined.
      if (!std::binary_search(defined[d].begin(), defined[d].end(), std::string_view(name))) {
        warnings.push_back("Tag <" + name + "> not found in project file = " + t.m_strProjFile +
                           ", station = " + t.m_strStaName + ", datalog = " + t.m_strDatalog + ".");
      }
    }
  }
  return warnings;
}

}  // namespace kz::citect
