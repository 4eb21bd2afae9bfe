// CTagResolution: the working tables of one run of automatic trend tag resolution, and the steps
// that fill and use them. ResolveTags (tag_resolver.h) drives it phase by phase with the progress
// window and the cancel checks between items; this class shows nothing and is tested directly.
// It holds pointers to the caller's records (not owned) and writes only their four binding
// fields. Text keys are exact (letter case counts) unless a method says otherwise.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

class CTagResolution {
 public:
  // Datalog tag name -> the configurations of one station that hold it, in "Quenda" order.
  using TagMap = std::unordered_map<std::string, std::vector<std::string>>;

  // The expression map: of several records with one expression only the last in `tags` is
  // entered (and so resolved); null entries are skipped.
  void BuildExpressionMap(const std::vector<CCitectTrendTag*>& tags);
  // The entered records, in the order of `tags`.
  const std::vector<CCitectTrendTag*>& Entered() const { return entered_; }

  // One record of variable.dbf. Only names that are an entered expression are kept (nothing
  // else is ever looked up); a later record with the same name replaces an earlier one.
  bool IsExpression(const std::string& name) const;
  void AddVariable(const std::string& name, std::string_view unit);
  // Each entered record whose expression is a variable gets that variable's UNIT as its station
  // name; the others keep theirs.
  void FindStationNames();

  // One project file's stations ("Zel Stations", then "Brenmark"; field 1 of each value) into
  // the station file map: the first file that lists a name keeps it; a name seen again (in a
  // later file or in the same one) joins the repeated names once. Empty names are no station.
  // `path` is the file's path as it is stored in the records.
  void CollectStationNames(const std::string& path);
  const std::vector<std::string>& RepeatedNames() const { return repeated_; }
  // The station file map's entry for a station, or nullptr.
  const std::string* StationFile(const std::string& station) const;

  // Puts the record in the group of its station name and sets its project file to the station's
  // file, or to the empty text when no file lists the station.
  void AddToStationGroup(CCitectTrendTag& record);
  // The groups (each non-empty, sharing one station and project file), those of one project
  // file next to each other so that a file's stations are read while it is still parsed.
  std::vector<std::vector<CCitectTrendTag*>> StationGroups() const;

  // The datalog tags of a station's configurations in one project file; the station matches
  // field 1 of "Quenda" without letter case.
  static void BuildTagMap(std::string_view station, const std::string& path, TagMap& tags);
  // Binds the tag name (the expression, or the text after its first underscore when only that
  // is a datalog tag) and the configuration that holds it first. Nothing is looked up for a
  // station in no project file.
  static void ResolveStation(const std::vector<CCitectTrendTag*>& records);

 private:
  std::unordered_map<std::string, CCitectTrendTag*> by_expression_;
  std::vector<CCitectTrendTag*> entered_;
  std::unordered_map<std::string, std::string> units_;  // variable NAME -> UNIT
  std::unordered_map<std::string, std::string> station_files_;
  std::vector<std::string> repeated_;
  std::unordered_set<std::string> reported_;
  std::unordered_map<std::string, std::size_t> group_of_station_;
  std::vector<std::vector<CCitectTrendTag*>> groups_;
};

// The warning's list: the first ten names, each followed by a line break, then "more..." when
// there are more than ten.
std::string RepeatedNamesList(const std::vector<std::string>& names);

}  // namespace kz::citect
