#include "citect/record/citect_trend_tag.h"

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

std::string CCitectTrendTag::DatalogKey() const {
  return AsciiLower(m_strProjFile) + '@' + AsciiLower(m_strStaName) + '@' +
         AsciiLower(m_strDatalog);
}

CCitectTrendTag& CCitectTrendTagArray::Add(std::unique_ptr<CCitectTrendTag> tag) {
  tags_.push_back(std::move(tag));
  return *tags_.back();
}

void CCitectTrendTagArray::RemoveAt(std::size_t i) {
  if (i < tags_.size()) tags_.erase(tags_.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace kz::citect
