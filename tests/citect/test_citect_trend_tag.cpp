#include <gtest/gtest.h>

#include "citect/record/citect_trend_tag.h"

namespace kz::citect {
namespace {

CCitectTrendTag Full() {
  CCitectTrendTag t;
  t.m_strTagName = "Flow";
  t.m_strDatalog = "Hourly";
  t.m_strStaName = "North";
  t.m_strProjFile = "/p/Site.kpj";
  t.m_strTrendVar = "PumpFlow";
  t.m_strCitectProj = "Water";
  t.m_strExpr = "Pump1_Flow";
  return t;
}

TEST(TrendTag, CompleteOnlyWithEverySevenFieldsSet) {
  EXPECT_FALSE(CCitectTrendTag().IsComplete());
  EXPECT_TRUE(Full().IsComplete());
  std::string CCitectTrendTag::*fields[] = {
      &CCitectTrendTag::m_strTagName,  &CCitectTrendTag::m_strDatalog,
      &CCitectTrendTag::m_strStaName,  &CCitectTrendTag::m_strProjFile,
      &CCitectTrendTag::m_strTrendVar, &CCitectTrendTag::m_strCitectProj,
      &CCitectTrendTag::m_strExpr};
  for (auto field : fields) {
    CCitectTrendTag t = Full();
    t.*field = "";
    EXPECT_FALSE(t.IsComplete());
  }
  CCitectTrendTag blank = Full();
  blank.m_strExpr = " ";  // nothing is trimmed
  EXPECT_TRUE(blank.IsComplete());
}

TEST(TrendTag, CopyFromCarriesTheExpression) {
  CCitectTrendTag copy;
  copy.CopyFrom(Full());
  EXPECT_EQ(copy.m_strExpr, "Pump1_Flow");
  EXPECT_EQ(copy.DatalogKey(), Full().DatalogKey());
  EXPECT_EQ(copy.TrendTagKey(), Full().TrendTagKey());
}

TEST(TrendTag, TrendTagKeyKeepsTagCaseAndFoldsProjectCase) {
  CCitectTrendTag a = Full(), b = Full();
  b.m_strTrendVar = "PUMPFLOW";
  EXPECT_NE(a.TrendTagKey(), b.TrendTagKey());
  b = Full();
  b.m_strCitectProj = "WATER";
  EXPECT_EQ(a.TrendTagKey(), b.TrendTagKey());
  EXPECT_EQ(a.TrendTagKey(), "PumpFlow@water");
}

TEST(TrendTag, DatalogKeyFoldsCaseButDoesNotResolvePaths) {
  CCitectTrendTag a = Full(), b = Full();
  b.m_strProjFile = "/P/SITE.KPJ";
  b.m_strStaName = "NORTH";
  EXPECT_EQ(a.DatalogKey(), b.DatalogKey());
  EXPECT_EQ(a.DatalogKey(), "/p/site.kpj@north@hourly");
  b.m_strProjFile = "/p/./Site.kpj";
  EXPECT_NE(a.DatalogKey(), b.DatalogKey());
}

TEST(TrendTag, ListOwnsRecordsAndKeepsTheirAddresses) {
  CCitectTrendTagArray list;
  CCitectTrendTag* first = &list.Add();
  for (int i = 0; i < 100; ++i) list.Add().m_strTrendVar = std::to_string(i);
  EXPECT_EQ(&list[0], first);
  list.RemoveAt(0);
  EXPECT_EQ(list.size(), 100u);
  EXPECT_EQ(list[0].m_strTrendVar, "0");
  list.RemoveAt(500);  // out of range: nothing happens
  EXPECT_EQ(list.size(), 100u);
  list.RemoveAll();
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace kz::citect
