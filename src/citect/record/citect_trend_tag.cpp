#include "citect/record/citect_trend_tag.h"

#include <functional>

#include "platform/ascii_case.h"

namespace kz::citect {

using platform::AsciiLower;

void CCitectTrendTag::CopyFrom(const CCitectTrendTag& other) {
  *this = other;
}

bool CCitectTrendTag::IsComplete() const {
  return !m_strTagName.empty() && !m_strDatalog.empty() && !m_strStaName.empty() &&
         !m_strProjFile.empty() && !m_strTrendVar.empty() && !m_strCitectProj.empty() &&
         !m_strExpr.empty();
}

std::string TrendTagKey(std::string_view trend_var, std::string_view citect_proj) {
  std::string key(trend_var);
  key += '@';
  key += AsciiLower(citect_proj);
  return key;
}

std::string CCitectTrendTag::TrendTagKey() const {
  return citect::TrendTagKey(m_strTrendVar, m_strCitectProj);
}

bool CCitectTrendTag::SameTrendTag(const CCitectTrendTag& other) const {
  return m_strTrendVar == other.m_strTrendVar &&
         platform::EqualsNoCase(m_strCitectProj, other.m_strCitectProj);
}

std::uint64_t CCitectTrendTag::TrendTagHash() const {
  return platform::HashNoCase(m_strCitectProj, std::hash<std::string>{}(m_strTrendVar));
}

bool CCitectTrendTag::SameDatalog(const CCitectTrendTag& other) const {
  using platform::EqualsNoCase;
  return EqualsNoCase(m_strProjFile, other.m_strProjFile) &&
         EqualsNoCase(m_strStaName, other.m_strStaName) &&
         EqualsNoCase(m_strDatalog, other.m_strDatalog);
}

std::uint64_t CCitectTrendTag::DatalogHash() const {
  using platform::HashNoCase;
  return HashNoCase(m_strDatalog, HashNoCase(m_strStaName, HashNoCase(m_strProjFile)));
}

CCitectTrendTag& CCitectTrendTagArray::Add(std::unique_ptr<CCitectTrendTag> tag) {
  tags_.push_back(std::move(tag));
  return *tags_.back();
}

void CCitectTrendTagArray::RemoveAt(std::size_t i) {
  if (i < tags_.size()) tags_.erase(tags_.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace kz::citect
