// CCitectTrendTag: one binding of a Citect trend tag to the datalog tag that feeds it, as seven
// 8-bit texts. Plain data: completeness is derived from the fields, nothing else is stored.
// CCitectTrendTagArray: the ordered trend tag list; owns its records, and a record's address
// stays the same while it is in the list (the grid edits records in place through pointers).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kz::citect {

class CCitectTrendTag {
 public:
  // Assigns all seven fields, the expression included.
  void CopyFrom(const CCitectTrendTag& other);
  // True when all seven fields are non-empty; nothing is trimmed or checked on disk.
  bool IsComplete() const;

  void SetTagName(std::string_view text) { m_strTagName = text; }
  void SetDatalog(std::string_view text) { m_strDatalog = text; }
  void SetStaName(std::string_view text) { m_strStaName = text; }
  void SetProjFile(std::string_view text) { m_strProjFile = text; }

  // "%s@%s": the trend tag name as written and the Citect project name lower-cased. Trend tag
  // names keep their case; project names do not.
  std::string TrendTagKey() const;
  // Whether `other` has this record's trend tag key, compared without making either key, and a
  // hash of the key that agrees with it.
  bool SameTrendTag(const CCitectTrendTag& other) const;
  std::uint64_t TrendTagHash() const;
  // Whether `other` names the same datalog: project file path, station and datalog, each without
  // case. Paths are compared as written, not resolved. The hash agrees with it.
  bool SameDatalog(const CCitectTrendTag& other) const;
  std::uint64_t DatalogHash() const;

  std::string m_strTagName;     // datalog tag name (KZTAGNAME)
  std::string m_strDatalog;     // datalog configuration (DLOGNAME)
  std::string m_strStaName;     // station name (STANAME)
  std::string m_strProjFile;    // station project file path (PRJFILE)
  std::string m_strTrendVar;    // Citect trend tag name (TRENDVAR)
  std::string m_strCitectProj;  // Citect project name (CITECTPRJ)
  std::string m_strExpr;        // the project's expression for the trend tag; never stored
};

// The trend tag key of a name and a project, as CCitectTrendTag::TrendTagKey builds it.
std::string TrendTagKey(std::string_view trend_var, std::string_view citect_proj);

class CCitectTrendTagArray {
 public:
  CCitectTrendTagArray() = default;
  CCitectTrendTagArray(const CCitectTrendTagArray&) = delete;
  CCitectTrendTagArray& operator=(const CCitectTrendTagArray&) = delete;
  CCitectTrendTagArray(CCitectTrendTagArray&&) = default;
  CCitectTrendTagArray& operator=(CCitectTrendTagArray&&) = default;

  std::size_t size() const { return tags_.size(); }
  bool empty() const { return tags_.empty(); }
  // The record at i (borrowed; valid until it is removed or the list is cleared).
  CCitectTrendTag& operator[](std::size_t i) { return *tags_[i]; }
  const CCitectTrendTag& operator[](std::size_t i) const { return *tags_[i]; }

  // Appends a record and returns it (owned by the list).
  CCitectTrendTag& Add(std::unique_ptr<CCitectTrendTag> tag);
  CCitectTrendTag& Add() { return Add(std::make_unique<CCitectTrendTag>()); }
  // Deletes the record at i; later records move up by one.
  void RemoveAt(std::size_t i);
  // Deletes every record.
  void RemoveAll() { tags_.clear(); }

 private:
  std::vector<std::unique_ptr<CCitectTrendTag>> tags_;
};

}  // namespace kz::citect
