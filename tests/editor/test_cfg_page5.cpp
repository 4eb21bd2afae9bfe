#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "config/cfg_mgr.h"
#include "editor/cfg_general_page.h"
#include "editor/cfg_page5.h"
#include "editor/cfg_psheet.h"
#include "general_settings.h"
#include "support/scripted_ui.h"

namespace kz::editor {
namespace {

using Keys = std::set<std::string>;

TEST(CfgPage5Test, FillShowsModeClockAndLogWithTheirEnables) {
  test::GeneralPageSheet s("product=citect");
  s.model.SetMode(1);
  s.model.SetSetStaClock(1);
  s.model.SetClockTolerance(604800);
  s.model.SetEnableLog(0);
  s.model.SetLogDir("/var/log/kz");
  const auto& p = s.Open<CCfgPage5>(false);
  EXPECT_EQ(p.m_nMode, 1);
  EXPECT_EQ(p.m_strClockTolerance, "604800");
  EXPECT_EQ(p.m_strLogDir, "/var/log/kz");
  EXPECT_TRUE(p.m_bClockEnabled);
  EXPECT_FALSE(p.m_bLogDirEnabled);
}

// The Citect page stores mode, clock and log only, and stops at its first refusal.
TEST(CfgPage5Test, StoreLeavesDataFileScalingAndDuplicateSettingsAsLoaded) {
  struct Case {
    const char* name;
    std::function<void(CCfgPage5&)> change;
    const char* message;  // nullptr: accepted
    Keys stored;
  };
  const Keys clock_and_log = {"mode",           "set sta clock", "clock tolerance",
                              "pc time format", "enable log",    "log dir"};
  const Case cases[] = {
      {"valid", [](CCfgPage5&) {}, nullptr, clock_and_log},
      {"clock cleared",
       [](CCfgPage5& p) {
         p.m_bSetStaClock = false;
         p.m_strClockTolerance = "x";
       },
       nullptr,
       {"mode", "set sta clock", "enable log", "log dir"}},
      {"no log directory",
       [](CCfgPage5& p) { p.m_strLogDir.clear(); },
       CCfgGeneralPage::kNoLogDirMessage,
       {"mode", "set sta clock", "clock tolerance", "pc time format", "enable log"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::GeneralPageSheet s("product=citect");
    CCfgPage5& p = s.Open<CCfgPage5>(true);
    p.m_nMode = CCfgGeneralPage::kModeAutomatic;
    p.m_bSetStaClock = true;
    p.m_strClockTolerance = "30";
    p.m_nPcTimeFormat = 0;
    p.m_bEnableLog = true;
    p.m_strLogDir = "/var/log/kz";
    c.change(p);
    const auto before = test::GeneralSettings(s.model);
    EXPECT_EQ(p.OnKillActive(), c.message == nullptr);
    EXPECT_EQ(s.ui.Texts(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(test::ChangedKeys(before, test::GeneralSettings(s.model)), c.stored);
  }
}

// The tolerance rule is the same in both editions.
TEST(GeneralPageToleranceTest, AcceptsOneSecondToOneWeekInBothEditions) {
  struct Case {
    const char* text;
    const char* message;  // nullptr: stored
    int stored;
  };
  const Case cases[] = {
      {"", CCfgGeneralPage::kNoToleranceMessage, 60},
      {"0", CCfgGeneralPage::kToleranceRangeMessage, 60},
      {"1", nullptr, 1},
      {"604800", nullptr, 604800},
      {"604801", CCfgGeneralPage::kToleranceRangeMessage, 60},
      {"99999999999999999999", CCfgGeneralPage::kToleranceRangeMessage, 60},
      {"12a", CCfgGeneralPage::kToleranceRangeMessage, 60},
      {"-5", CCfgGeneralPage::kToleranceRangeMessage, 60},
  };
  for (const char* options : {"", "product=citect"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << '"' << options << "\" \"" << c.text << '"');
      test::GeneralPageSheet s(options);
      auto& page = s.Open<CCfgGeneralPage>(false);
      page.m_bSetStaClock = true;
      page.m_strClockTolerance = c.text;
      page.m_nPcTimeFormat = 1;
      EXPECT_EQ(page.OnKillActive(), c.message == nullptr);
      EXPECT_EQ(s.ui.Texts(),
                c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
      EXPECT_EQ(s.model.GetClockTolerance(), c.stored);
      EXPECT_EQ(s.model.GetPcTimeFormat(), 1);  // stored also when the tolerance is refused
      if (c.message) {
        EXPECT_EQ(page.focus(), CCfgGeneralPage::kToleranceEdit);
      }
    }
  }
}

}  // namespace
}  // namespace kz::editor
