#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "config/cfg_mgr.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_psheet.h"
#include "general_settings.h"
#include "support/scripted_ui.h"

namespace kz::editor {
namespace {

using namespace std::chrono_literals;
using Keys = std::set<std::string>;

// Valid values for every control, none of which SetUnreachableSettings leaves in the model.
void SetValidControls(CCfgPage1& p) {
  p.m_nMode = CCfgPage1::kModeAutomatic;
  p.m_nNewFileMode = 1;
  p.m_nStartTime = 37800;
  p.m_nWeekday = 3;
  p.m_strDataDir = "/srv/data";
  p.m_nBaseName = 2;
  p.m_bSetStaClock = true;
  p.m_strClockTolerance = "120";
  p.m_nPcTimeFormat = 1;
  p.m_bEnableLog = true;
  p.m_strLogDir = "/var/log/kz";
  p.m_bUseScaling = false;
  p.m_bCheckDuplicates = true;
}

class CfgPage1Test : public ::testing::Test {
 protected:
  CfgPage1Test() {
    sheet_.page1().SetToday([] { return std::chrono::year_month_day{2027y / 3 / 9}; });
  }

  CCfgPage1& Open() {
    sheet_.OnInitDialog();
    return sheet_.page1();
  }

  config::CCfgMgr model_;
  kz::test::ScriptedUi ui_;
  CCfgPSheet sheet_{&model_, "", ui_};
};

// What the page shows is what it stores back: a fill that lost a setting would store another.
TEST_F(CfgPage1Test, FillShowsTheModel) {
  model_.SetMode(1);
  model_.SetNewFileMode(1);
  model_.SetNewFileSynchMode(86400 + 37800);  // runs on into the next day
  model_.SetAutoModeDataPath("/srv/data");
  model_.SetAutoModeBaseNameChoice(4);
  model_.SetSetStaClock(1);
  model_.SetClockTolerance(300);
  model_.SetPcTimeFormat(1);
  model_.SetEnableLog(1);
  model_.SetLogDir("/var/log/kz");
  model_.SetUseScaling(0);
  model_.SetCheckDuplicates(1);
  auto before = test::GeneralSettings(model_);
  before["new file synch mode"] = "37800";
  CCfgPage1& p = Open();
  EXPECT_EQ(p.m_nStartTime, 37800);
  EXPECT_EQ(p.m_nWeekday, -1);  // no weekday
  EXPECT_EQ(p.m_strSample, "/srv/data/DlogCfgName_Sta#_20270309.csv");
  EXPECT_TRUE(p.m_bStartTimeVisible);
  EXPECT_FALSE(p.m_bWeekdayVisible);
  EXPECT_TRUE(p.OnKillActive());
  EXPECT_EQ(test::GeneralSettings(model_), before);

  // Values that are no entry leave their lists unselected.
  test::GeneralPageSheet s("");
  s.model.SetMode(2);
  s.model.SetNewFileMode(2);
  s.model.SetNewFileSynchMode(4);
  s.model.SetAutoModeBaseNameChoice(6);
  s.model.SetPcTimeFormat(2);
  const auto& q = s.Open<CCfgPage1>(false);
  EXPECT_EQ(q.m_nMode, -1);
  EXPECT_EQ(q.m_nWeekday, 4);
  EXPECT_EQ(q.m_nStartTime, 0);  // midnight unless daily
  EXPECT_EQ(q.m_nBaseName, -1);
  EXPECT_EQ(q.m_nPcTimeFormat, -1);
}

TEST_F(CfgPage1Test, EnablesFollowModeClockAndLog) {
  CCfgPage1& p = Open();
  for (int mode : {-1, 0, 1}) {
    for (bool clock : {false, true}) {
      for (bool log : {false, true}) {
        SCOPED_TRACE(testing::Message() << mode << clock << log);
        p.m_nMode = mode;
        p.m_bSetStaClock = clock;
        p.m_bEnableLog = log;
        p.m_bAutoEnabled = mode != 1;  // each flag starts at the wrong value
        p.m_bClockEnabled = !clock;
        p.m_bLogDirEnabled = !log;
        p.OnModeClicked();
        EXPECT_EQ(p.m_bAutoEnabled, mode == 1);
        EXPECT_EQ(p.m_bClockEnabled, clock);
        EXPECT_EQ(p.m_bLogDirEnabled, log);
      }
    }
  }
}

TEST_F(CfgPage1Test, SampleAndStartingFollowTheControls) {
  model_.SetNewFileMode(2);
  model_.SetNewFileSynchMode(5);
  model_.SetAutoModeDataPath("/d");
  model_.SetAutoModeBaseNameChoice(1);
  CCfgPage1& p = Open();
  EXPECT_EQ(p.m_strSample, "/d/Sta#_20270309.csv");
  struct Case {
    int mode;
    bool starting, time, weekday;
    const char* sample;
  };
  const Case cases[] = {
      {0, false, false, false, "/d/Sta#.csv"},
      {1, true, true, false, "/d/Sta#_20270309.csv"},
      {3, false, false, false, "/d/Sta#_20270309.csv"},
      {2, true, false, true, "/d/Sta#_20270309.csv"},
      {-1, true, false, true, "/d/Sta#_20270309.csv"},  // no selection: as it was
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    p.m_nWeekday = 5;
    p.m_nNewFileMode = c.mode;
    p.OnNewFileModeChanged();
    EXPECT_EQ(p.m_nWeekday, 0);  // starts on Sunday
    EXPECT_EQ(p.m_bStartingVisible, c.starting);
    EXPECT_EQ(p.m_bStartTimeVisible, c.time);
    EXPECT_EQ(p.m_bWeekdayVisible, c.weekday);
    EXPECT_EQ(p.m_strSample, c.sample);
  }
  p.m_nBaseName = 5;
  p.OnBaseNameChanged();
  EXPECT_EQ(p.m_strSample, "/d/DlogCfgName_StaID_20270309.csv");
  p.m_strDataDir = "/a/";
  p.OnDataDirChanged();
  EXPECT_EQ(p.m_strSample, "/a/DlogCfgName_StaID_20270309.csv");
}

TEST_F(CfgPage1Test, FolderBrowsersReplaceTheirTextOnlyWhenAFolderIsChosen) {
  CCfgPage1& p = Open();
  p.m_strDataDir = "/old";
  p.m_strLogDir = "/oldlog";
  // Cancelled, or no file-system path: nothing changes.
  ui_.chosen_folders = {std::nullopt, "", "/new", std::nullopt, "/newlog"};
  for (const char* expected : {"/old", "/old", "/new"}) {
    p.OnBrowseDataDir();
    EXPECT_EQ(p.m_strDataDir, expected);
  }
  EXPECT_EQ(p.m_strSample, "/new/StaName.csv");
  for (const char* expected : {"/oldlog", "/newlog"}) {
    p.OnBrowseLogDir();
    EXPECT_EQ(p.m_strLogDir, expected);
  }
  using Dialog = std::pair<std::string, std::string>;
  const Dialog data = {"Select the directory for data files:", "/old"};
  const Dialog log = {"Select the directory for log files:", "/oldlog"};
  EXPECT_EQ(ui_.folder_dialogs, (std::vector<Dialog>{data, data, data, log, log}));
}

// Each case breaks one control of an otherwise valid page: the page shows at most one refusal,
// points the focus at the control to mend, stores what comes before it and "use scaling", and
// nothing after it.
TEST_F(CfgPage1Test, StoreChecksInOrderAndStoresWhatComesBeforeARefusal) {
  Keys all;
  for (const auto& [key, value] : test::GeneralSettings(config::CCfgMgr())) all.insert(key);
  const Keys before_clock = {"mode",        "new file mode",       "auto mode base name choice",
                             "use scaling", "auto mode data path", "new file synch mode"};
  auto with = [](Keys keys, std::initializer_list<const char*> more) {
    keys.insert(more.begin(), more.end());
    return keys;
  };
  auto without = [](Keys keys, std::initializer_list<const char*> less) {
    for (const char* k : less) keys.erase(k);
    return keys;
  };
  const std::string warning = CCfgPage1::kDuplicatesWarning;
  struct Case {
    const char* name;
    std::function<void(CCfgPage1&)> change;
    std::string message;  // a refusal unless empty or the warning
    int focus;
    Keys stored;
  };
  const Case cases[] = {
      {"valid", [](CCfgPage1&) {}, warning, 0, all},
      {"specified stations only",
       [](CCfgPage1& p) {
         p.m_nMode = 0;
         p.m_nNewFileMode = p.m_nBaseName = -1;
         p.m_strDataDir.clear();
       },
       warning, 0,
       without(all, {"new file mode", "auto mode base name choice", "auto mode data path",
                     "new file synch mode"})},
      {"no creation mode",
       [](CCfgPage1& p) { p.m_nNewFileMode = -1; },
       CCfgPage1::kNoFileModeMessage,
       CCfgPage1::kNewFileModeList,
       {"mode", "use scaling"}},
      {"no base name",
       [](CCfgPage1& p) { p.m_nBaseName = -1; },
       CCfgPage1::kNoBaseNameMessage,
       CCfgPage1::kBaseNameList,
       {"mode", "new file mode", "use scaling"}},
      {"no data directory",
       [](CCfgPage1& p) { p.m_strDataDir.clear(); },
       CCfgPage1::kNoDataDirMessage,
       CCfgPage1::kDataDirEdit,
       {"mode", "new file mode", "auto mode base name choice", "use scaling"}},
      {"tolerance out of range", [](CCfgPage1& p) { p.m_strClockTolerance = "604801"; },
       CCfgPage1::kToleranceRangeMessage, CCfgPage1::kToleranceEdit,
       with(before_clock, {"set sta clock", "pc time format"})},
      {"clock cleared",
       [](CCfgPage1& p) {
         p.m_bSetStaClock = false;
         p.m_strClockTolerance = "0";
       },
       warning, 0, without(all, {"clock tolerance", "pc time format"})},
      {"no log directory", [](CCfgPage1& p) { p.m_strLogDir.clear(); }, CCfgPage1::kNoLogDirMessage,
       CCfgPage1::kLogDirEdit,
       with(before_clock, {"set sta clock", "clock tolerance", "pc time format", "enable log"})},
      {"log cleared",
       [](CCfgPage1& p) {
         p.m_bEnableLog = false;
         p.m_strLogDir.clear();
       },
       warning, 0, without(all, {"log dir"})},
      {"no duplicate check", [](CCfgPage1& p) { p.m_bCheckDuplicates = false; }, "", 0, all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::GeneralPageSheet s("");
    CCfgPage1& p = s.Open<CCfgPage1>(true);
    SetValidControls(p);
    c.change(p);
    const auto before = test::GeneralSettings(s.model);
    const bool refused = !c.message.empty() && c.message != warning;
    EXPECT_EQ(p.OnKillActive(), !refused);
    EXPECT_EQ(s.ui.Texts(),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    for (const auto& box : s.ui.boxes) {
      EXPECT_EQ(box.caption, "");
      EXPECT_EQ(box.buttons, ui::Buttons::Ok);
    }
    if (refused) {
      EXPECT_EQ(p.focus(), c.focus);
    }
    EXPECT_EQ(test::ChangedKeys(before, test::GeneralSettings(s.model)), c.stored);
  }
}

TEST_F(CfgPage1Test, StoreKeepsTheWeekdayForEveryMethodButDaily) {
  const std::tuple<int, int, std::int32_t> cases[] = {// mode, weekday, stored synch
                                                      {0, 4, 4},
                                                      {1, 4, 37800},
                                                      {2, 6, 6},
                                                      {3, -1, -1},
                                                      {2, -1, -1}};
  CCfgPage1& p = Open();
  SetValidControls(p);
  p.m_bCheckDuplicates = false;
  for (const auto& [mode, weekday, synch] : cases) {
    SCOPED_TRACE(mode);
    p.m_nNewFileMode = mode;
    p.m_nWeekday = weekday;
    ASSERT_TRUE(p.OnKillActive());
    EXPECT_EQ(model_.GetNewFileSynchMode(), synch);
  }
}

// The duplicate warning shows each time the page is left with the box ticked. OK with no live
// port, answered Yes, lets the General page check itself: its refusal keeps the sheet open.
TEST_F(CfgPage1Test, LeavingThePageRunsItsChecksEachTime) {
  CCfgPage1& p = Open();
  p.m_bCheckDuplicates = true;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(sheet_.SetActivePage(CCfgPSheet::kClientTransfersPage));
    ASSERT_TRUE(sheet_.SetActivePage(CCfgPSheet::kGeneralPage));
  }
  p.m_bCheckDuplicates = false;
  p.m_nMode = CCfgPage1::kModeAutomatic;
  p.m_nNewFileMode = -1;
  ui_.answers = {ui::Answer::Yes, ui::Answer::Ok, ui::Answer::No};
  EXPECT_FALSE(sheet_.OnOK());
  EXPECT_FALSE(sheet_.OnOK());
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{CCfgPage1::kDuplicatesWarning, CCfgPage1::kDuplicatesWarning,
                                      CCfgPSheet::kNoPortQuestion, CCfgPage1::kNoFileModeMessage,
                                      CCfgPSheet::kNoPortQuestion}));
  EXPECT_EQ(sheet_.GetActiveIndex(), CCfgPSheet::kGeneralPage);
}

}  // namespace
}  // namespace kz::editor
