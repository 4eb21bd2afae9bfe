#include "citect/tag_verifier.h"

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
  std::vector<const CCitectTrendTag*> first_of_each;  // the record that opens each datalog
};

// Phase 1: what each record lacks, duplicates, and what each datalog must define.
NeededNames CheckRecords(const CCitectTrendTagArray& tags, std::vector<std::string>& warnings) {
  NeededNames needed;
  std::unordered_set<std::string> seen;
  std::unordered_set<std::string> reported;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const CCitectTrendTag& t = tags[i];
    if (t.IsComplete()) {
      auto [entry, added] = needed.names.try_emplace(t.DatalogKey());
      if (added) needed.first_of_each.push_back(&t);
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

// The file a lower-cased project file path names, as the data manager would find it; bare names
// are left to it (they name files of the Windows directory). The manager's caches take the path
// lower-cased, so they see the same key either way.
std::string FileOf(const std::string& lower_path) {
  if (lower_path.find('/') == std::string::npos) return lower_path;
  return platform::ResolveCase(lower_path).string();
}

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
  std::unordered_map<std::string, std::unordered_set<std::string>> available;
  // A lower-cased path names its file only through a search of each folder without case; one
  // search per file, not one per datalog, keeps a folder of many files from costing its square.
  std::unordered_map<std::string, std::string> found;
  for (const CCitectTrendTag* t : needed.first_of_each) {
    auto [file, added] = found.try_emplace(AsciiLower(t->m_strProjFile));
    if (added) file->second = FileOf(file->first);
    const auto& names = data.GetDatalogTags(file->second, AsciiLower(t->m_strDatalog));
    available[t->DatalogKey()].insert(names.begin(), names.end());
  }

  announce(kCheckingTagNames);
  for (const CCitectTrendTag* t : needed.first_of_each) {
    const std::string key = t->DatalogKey();
    announce("Checking " + AsciiLower(t->m_strProjFile) + "/" + AsciiLower(t->m_strStaName) + "/" +
             AsciiLower(t->m_strDatalog) + "...");
    const auto& defined = available[key];
    // Names compare as written: a name that differs only in case is not defined.
    for (const std::string& name : needed.names.at(key)) {
      if (defined.count(name) == 0) {
        warnings.push_back("Tag <" + name + "> not found in project file = " + t->m_strProjFile +
                           ", station = " + t->m_strStaName + ", datalog = " + t->m_strDatalog +
                           ".");
      }
    }
  }
  return warnings;
}

}  // namespace kz::citect
