#include "citect/tag_verifier.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/ascii_case.h"
#include "platform/file_lookup.h"

namespace kz::citect {
namespace {

using platform::AsciiLower;

std::string Describe(std::string_view what, const CCitectTrendTag& t) {
  return std::string(what) + ": trend tag name = " + t.m_strTrendVar +
         ", Citect project = " + t.m_strCitectProj + ".";
}

// The tag names that each datalog must define, by datalog key, and the datalogs in the order
// they first occur.
struct NeededNames {
  std::unordered_map<std::string, std::vector<std::string>> names;
  struct Datalog {
    const CCitectTrendTag* first;            // the record that opens it
    const std::vector<std::string>* needed;  // its entry of `names`
  };
  std::vector<Datalog> datalogs;
};

// Phase 1: what each record lacks, duplicates, and what each datalog must define.
NeededNames CheckRecords(const CCitectTrendTagArray& tags, std::vector<std::string>& warnings) {
  NeededNames needed;
  std::unordered_set<std::string> seen;
  std::unordered_set<std::string> reported;
  // Sized once: growing by rehashes walks every node of a table far larger than the caches again.
  seen.reserve(tags.size());
  needed.names.reserve(tags.size());
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const CCitectTrendTag& t = tags[i];
    if (t.IsComplete()) {
      auto [entry, added] = needed.names.try_emplace(t.DatalogKey());
      if (added) needed.datalogs.push_back({&t, &entry->second});
      entry->second.push_back(t.m_strTagName);
    } else {
      warnings.push_back(Describe("Tag configuration incomplete", t));
      if (t.m_strExpr.empty()) {
        warnings.push_back(Describe("Citect trend tag `Expression` field not complete", t));
      }
    }
    if (t.m_strTrendVar.empty() || t.m_strCitectProj.empty()) continue;
    std::string key = t.TrendTagKey();
    if (seen.insert(key).second) continue;
    // Reported once, at the second occurrence, however often it occurs.
    if (reported.insert(std::move(key)).second) {
      warnings.push_back(Describe("Duplicate trend tags found", t));
    }
  }
  return needed;
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
  const NeededNames needed = CheckRecords(tags, warnings);

  // Every record of a datalog asks for the same file and datalog (the station takes no part), so
  // its first record reads the names for all of them.
  announce(kReadingProjectFiles);
  // The manager keeps each list it gives until its next load, so the names are viewed, not
  // copied: one sorted list of views per datalog.
  std::vector<std::vector<std::string_view>> defined(needed.datalogs.size());
  ProjectFileFinder finder;
  for (std::size_t i = 0; i < needed.datalogs.size(); ++i) {
    const CCitectTrendTag& t = *needed.datalogs[i].first;
    const auto& names =
        data.GetDatalogTags(finder.Find(AsciiLower(t.m_strProjFile)), AsciiLower(t.m_strDatalog));
    defined[i].assign(names.begin(), names.end());
    std::sort(defined[i].begin(), defined[i].end());
  }

  announce(kCheckingTagNames);
  for (std::size_t i = 0; i < needed.datalogs.size(); ++i) {
    const CCitectTrendTag& t = *needed.datalogs[i].first;
    announce("Checking " + AsciiLower(t.m_strProjFile) + "/" + AsciiLower(t.m_strStaName) + "/" +
             AsciiLower(t.m_strDatalog) + "...");
    // Names compare as written: a name that differs only in case is not defined.
    for (const std::string& name : *needed.datalogs[i].needed) {
      if (!std::binary_search(defined[i].begin(), defined[i].end(), std::string_view(name))) {
        warnings.push_back("Tag <" + name + "> not found in project file = " + t.m_strProjFile +
                           ", station = " + t.m_strStaName + ", datalog = " + t.m_strDatalog + ".");
      }
    }
  }
  return warnings;
}

}  // namespace kz::citect
