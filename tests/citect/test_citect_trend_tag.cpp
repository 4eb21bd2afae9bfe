#include <gtest/gtest.h>

#include "citect/record/citect_trend_tag.h"

namespace kz::citect {
namespace {

using Field = std::string CCitectTrendTag::*;

const CCitectTrendTag kFull{"Flow", "Hourly", "North", "/p/Site.kpj", "PumpFlow", "Water", "E"};

TEST(TrendTag, CompleteOnlyWithEverySevenFieldsSetAndNothingTrimmed) {
  EXPECT_TRUE(kFull.IsComplete());
  for (Field f : {&CCitectTrendTag::m_strTagName, &CCitectTrendTag::m_strDatalog,
                  &CCitectTrendTag::m_strStaName, &CCitectTrendTag::m_strProjFile,
                  &CCitectTrendTag::m_strTrendVar, &CCitectTrendTag::m_strCitectProj,
                  &CCitectTrendTag::m_strExpr}) {
    CCitectTrendTag t = kFull;
    t.*f = "";
    EXPECT_FALSE(t.IsComplete());
    t.*f = " ";
    EXPECT_TRUE(t.IsComplete());
  }
}

// Trend tag names keep their case, project names do not; datalog keys fold case but do not
// resolve paths.
TEST(TrendTag, KeysFoldCaseOfAllButTheTrendTagName) {
  struct Case {
    Field field;
    const char* value;
    bool same_trend_key, same_datalog_key;
  };
  const Case cases[] = {
      {&CCitectTrendTag::m_strTrendVar, "PUMPFLOW", false, true},
      {&CCitectTrendTag::m_strCitectProj, "WATER", true, true},
      {&CCitectTrendTag::m_strCitectProj, "Sewer", false, true},
      {&CCitectTrendTag::m_strProjFile, "/P/SITE.KPJ", true, true},
      {&CCitectTrendTag::m_strProjFile, "/p/./Site.kpj", true, false},
      {&CCitectTrendTag::m_strStaName, "NORTH", true, true},
      {&CCitectTrendTag::m_strStaName, "South", true, false},
      {&CCitectTrendTag::m_strDatalog, "HOURLY", true, true},
      {&CCitectTrendTag::m_strDatalog, "Daily", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    CCitectTrendTag t = kFull;
    t.*c.field = c.value;
    EXPECT_EQ(t.TrendTagKey() == kFull.TrendTagKey(), c.same_trend_key);
    EXPECT_EQ(t.SameTrendTag(kFull), c.same_trend_key);
    if (c.same_trend_key) {
      EXPECT_EQ(t.TrendTagHash(), kFull.TrendTagHash());
    }
    EXPECT_EQ(t.SameDatalog(kFull), c.same_datalog_key);
    if (c.same_datalog_key) {
      EXPECT_EQ(t.DatalogHash(), kFull.DatalogHash());
    }
  }
}

TEST(TrendTag, ListKeepsRecordAddressesAndIgnoresRemovalsOutOfRange) {
  CCitectTrendTagArray list;
  CCitectTrendTag* first = &list.Add();
  for (int i = 0; i < 100; ++i) list.Add().m_strTrendVar = std::to_string(i);
  EXPECT_EQ(&list[0], first);
  list.RemoveAt(0);
  list.RemoveAt(500);
  ASSERT_EQ(list.size(), 100u);
  EXPECT_EQ(list[0].m_strTrendVar, "0");
}

}  // namespace
}  // namespace kz::citect
