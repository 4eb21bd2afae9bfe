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

  // Shows the sheet on the General page.
  CCfgPage1& Open() {
    sheet_.OnInitDialog();
    return sheet_.page1();
  }

  // Opens the page on a model of unreachable values, then sets every control to a valid value
  // that differs from the model's.
  CCfgPage1& OpenFilledIn() {
    test::SetUnreachableSettings(model_);
    CCfgPage1& p = Open();
    SetValidControls(p);
    return p;
  }

  config::CCfgMgr model_;
  kz::test::ScriptedUi ui_;
  CCfgPSheet sheet_{&model_, "", ui_};
};

TEST_F(CfgPage1Test, FillShowsTheModel) {
  model_.SetMode(1);
  model_.SetNewFileMode(1);
  model_.SetNewFileSynchMode(37800);
  model_.SetAutoModeDataPath("/srv/data");
  model_.SetAutoModeBaseNameChoice(4);
  model_.SetSetStaClock(1);
  model_.SetClockTolerance(300);
  model_.SetPcTimeFormat(1);
  model_.SetEnableLog(1);
  model_.SetLogDir("/var/log/kz");
  model_.SetUseScaling(0);
  model_.SetCheckDuplicates(1);
  const CCfgPage1& p = Open();
  EXPECT_EQ(p.m_nMode, 1);
  EXPECT_EQ(p.m_nNewFileMode, 1);
  EXPECT_EQ(p.m_nStartTime, 37800);  // 10:30:00
  EXPECT_EQ(p.m_nWeekday, -1);       // 37800 is no weekday
  EXPECT_EQ(p.m_strDataDir, "/srv/data");
  EXPECT_EQ(p.m_nBaseName, 4);
  EXPECT_TRUE(p.m_bSetStaClock);
  EXPECT_EQ(p.m_strClockTolerance, "300");
  EXPECT_EQ(p.m_nPcTimeFormat, 1);
  EXPECT_TRUE(p.m_bEnableLog);
  EXPECT_EQ(p.m_strLogDir, "/var/log/kz");
  EXPECT_FALSE(p.m_bUseScaling);
  EXPECT_TRUE(p.m_bCheckDuplicates);
  EXPECT_EQ(p.m_strSample, "/srv/data/DlogCfgName_Sta#_20270309.csv");
  EXPECT_TRUE(p.m_bStartTimeVisible);
  EXPECT_FALSE(p.m_bWeekdayVisible);
}

TEST_F(CfgPage1Test, FillLeavesListsUnselectedForValuesThatAreNoEntry) {
  model_.SetMode(2);
  model_.SetNewFileMode(2);
  model_.SetNewFileSynchMode(4);
  model_.SetAutoModeBaseNameChoice(6);
  model_.SetPcTimeFormat(-1);
  const CCfgPage1& p = Open();
  EXPECT_EQ(p.m_nMode, -1);
  EXPECT_EQ(p.m_nNewFileMode, 2);
  EXPECT_EQ(p.m_nWeekday, 4);
  EXPECT_EQ(p.m_nStartTime, 0);  // midnight unless daily
  EXPECT_EQ(p.m_nBaseName, -1);
  EXPECT_EQ(p.m_nPcTimeFormat, -1);
  EXPECT_EQ(p.m_strSample, "");
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
        // Any of the three events runs the same rules.
        const std::function<void()> events[] = {[&] { p.OnModeClicked(); },
                                                [&] { p.OnSetStaClockClicked(); },
                                                [&] { p.OnEnableLogClicked(); }};
        for (const auto& event : events) {
          p.m_bAutoEnabled = mode != 1;  // each flag starts at the wrong value
          p.m_bClockEnabled = !clock;
          p.m_bLogDirEnabled = !log;
          event();
          EXPECT_EQ(p.m_bAutoEnabled, mode == 1);
          EXPECT_EQ(p.m_bClockEnabled, clock);
          EXPECT_EQ(p.m_bLogDirEnabled, log);
        }
      }
    }
  }
}

TEST_F(CfgPage1Test, NewFileModeChangeStartsOnSundayShowsItsPickerAndRedatesTheSample) {
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
    EXPECT_EQ(p.m_nWeekday, 0);
    EXPECT_EQ(p.m_bStartingVisible, c.starting);
    EXPECT_EQ(p.m_bStartTimeVisible, c.time);
    EXPECT_EQ(p.m_bWeekdayVisible, c.weekday);
    EXPECT_EQ(p.m_strSample, c.sample);
  }
}

TEST_F(CfgPage1Test, SampleFollowsBaseNameAndDirectory) {
  model_.SetNewFileMode(0);
  CCfgPage1& p = Open();
  EXPECT_EQ(p.m_strSample, "StaName.csv");
  p.m_nBaseName = 5;
  p.OnBaseNameChanged();
  EXPECT_EQ(p.m_strSample, "DlogCfgName_StaID.csv");
  p.m_strDataDir = "/a/";
  p.OnDataDirChanged();
  EXPECT_EQ(p.m_strSample, "/a/DlogCfgName_StaID.csv");
}

TEST_F(CfgPage1Test, FolderBrowsersReplaceTheirTextOnlyWhenAFolderIsChosen) {
  CCfgPage1& p = Open();
  p.m_strDataDir = "/old";
  p.m_strLogDir = "/oldlog";
  // Cancelled, or no file-system path: nothing changes.
  ui_.chosen_folders = {std::nullopt, "", "/new", std::nullopt, "/newlog"};
  p.OnBrowseDataDir();
  EXPECT_EQ(p.m_strDataDir, "/old");
  p.OnBrowseDataDir();
  EXPECT_EQ(p.m_strDataDir, "/old");
  p.OnBrowseDataDir();
  EXPECT_EQ(p.m_strDataDir, "/new");
  EXPECT_EQ(p.m_strSample, "/new/StaName.csv");
  p.OnBrowseLogDir();
  EXPECT_EQ(p.m_strLogDir, "/oldlog");
  p.OnBrowseLogDir();
  EXPECT_EQ(p.m_strLogDir, "/newlog");
  using Dialog = std::pair<std::string, std::string>;
  EXPECT_EQ(ui_.folder_dialogs,
            (std::vector<Dialog>{{"Select the directory for data files:", "/old"},
                                 {"Select the directory for data files:", "/old"},
                                 {"Select the directory for data files:", "/old"},
                                 {"Select the directory for log files:", "/oldlog"},
                                 {"Select the directory for log files:", "/oldlog"}}));
}

// Each case breaks one control of an otherwise valid page: the page shows at most one refusal,
// stores what comes before it and "use scaling", and nothing after it.
TEST_F(CfgPage1Test, StoreChecksInOrderAndStoresWhatComesBeforeARefusal) {
  Keys all;
  for (const auto& [key, value] : test::GeneralSettings(model_)) all.insert(key);
  const Keys before_clock = {"mode",
                             "new file mode",
                             "auto mode base name choice",
                             "auto mode data path",
                             "new file synch mode",
                             "use scaling"};
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
    std::vector<std::string> messages;
    Keys stored;
  };
  const Case cases[] = {
      {"valid", [](CCfgPage1&) {}, {warning}, all},
      {"specified stations only",
       [](CCfgPage1& p) {
         p.m_nMode = 0;
         p.m_nNewFileMode = -1;
         p.m_nBaseName = -1;
         p.m_strDataDir.clear();
       },
       {warning},
       without(all, {"new file mode", "auto mode base name choice", "auto mode data path",
                     "new file synch mode"})},
      {"no creation mode",
       [](CCfgPage1& p) { p.m_nNewFileMode = -1; },
       {"Please select a file creation mode."},
       {"mode", "use scaling"}},
      {"no base name",
       [](CCfgPage1& p) { p.m_nBaseName = -1; },
       {"Please select a base file name mode."},
       {"mode", "new file mode", "use scaling"}},
      {"no data directory",
       [](CCfgPage1& p) { p.m_strDataDir.clear(); },
       {"Please enter a path for the data file(s) to be stored."},
       {"mode", "new file mode", "auto mode base name choice", "use scaling"}},
      {"no tolerance",
       [](CCfgPage1& p) { p.m_strClockTolerance.clear(); },
       {"Please enter a clock tolerance in seconds."},
       with(before_clock, {"set sta clock", "pc time format"})},
      {"tolerance out of range",
       [](CCfgPage1& p) { p.m_strClockTolerance = "604801"; },
       {"Please enter a clock tolerance in seconds (1 to 604800)."},
       with(before_clock, {"set sta clock", "pc time format"})},
      {"clock cleared",
       [](CCfgPage1& p) {
         p.m_bSetStaClock = false;
         p.m_strClockTolerance = "0";
       },
       {warning},
       without(all, {"clock tolerance", "pc time format"})},
      {"no log directory",
       [](CCfgPage1& p) { p.m_strLogDir.clear(); },
       {"Please enter a directory to store the log files in."},
       with(before_clock, {"set sta clock", "clock tolerance", "pc time format", "enable log"})},
      {"log cleared",
       [](CCfgPage1& p) {
         p.m_bEnableLog = false;
         p.m_strLogDir.clear();
       },
       {warning},
       without(all, {"log dir"})},
      {"no duplicate check", [](CCfgPage1& p) { p.m_bCheckDuplicates = false; }, {}, all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::GeneralPageSheet s("");
    CCfgPage1& p = s.Open<CCfgPage1>(true);
    SetValidControls(p);
    c.change(p);
    const auto before = test::GeneralSettings(s.model);
    const bool refused = c.messages.size() == 1 && c.messages[0] != warning;
    EXPECT_EQ(p.OnKillActive(), !refused);
    EXPECT_EQ(s.ui.Texts(), c.messages);
    for (const auto& box : s.ui.boxes) {
      EXPECT_EQ(box.caption, "");
      EXPECT_EQ(box.buttons, ui::Buttons::Ok);
    }
    EXPECT_EQ(test::ChangedKeys(before, test::GeneralSettings(s.model)), c.stored);
  }
}

TEST_F(CfgPage1Test, StoreKeepsTheWeekdayForEveryMethodButDaily) {
  struct Case {
    int mode;
    int weekday;
    std::int32_t synch;
  };
  const Case cases[] = {{0, 4, 4}, {1, 4, 37800}, {2, 6, 6}, {3, -1, -1}, {2, -1, -1}};
  CCfgPage1& p = OpenFilledIn();
  p.m_bCheckDuplicates = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    p.m_nNewFileMode = c.mode;
    p.m_nWeekday = c.weekday;
    ASSERT_TRUE(p.OnKillActive());
    EXPECT_EQ(model_.GetNewFileSynchMode(), c.synch);
  }
}

TEST_F(CfgPage1Test, DuplicateWarningShowsEachTimeThePageIsLeftWithTheBoxTicked) {
  CCfgPage1& p = Open();
  p.m_bCheckDuplicates = true;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(sheet_.SetActivePage(CCfgPSheet::kClientTransfersPage));
    ASSERT_TRUE(sheet_.SetActivePage(CCfgPSheet::kGeneralPage));
  }
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>(2, CCfgPage1::kDuplicatesWarning)));
}

TEST_F(CfgPage1Test, RefusalPointsTheFocusAtTheControlToMend) {
  CCfgPage1& p = OpenFilledIn();
  p.m_nBaseName = -1;
  EXPECT_FALSE(p.OnKillActive());
  EXPECT_EQ(p.focus(), CCfgPage1::kBaseNameList);
}

// OK with no live port, answered Yes, lets the General page check itself: its refusal keeps the
// sheet open, and the next OK asks about the ports again.
TEST_F(CfgPage1Test, SheetOkAnsweredYesStopsAtTheInvalidGeneralPage) {
  CCfgPage1& p = Open();
  p.m_nMode = CCfgPage1::kModeAutomatic;
  p.m_nNewFileMode = -1;
  ui_.answers = {ui::Answer::Yes, ui::Answer::Ok, ui::Answer::No};
  EXPECT_FALSE(sheet_.OnOK());
  EXPECT_FALSE(sheet_.OnOK());
  EXPECT_EQ(ui_.Texts(),
            (std::vector<std::string>{CCfgPSheet::kNoPortQuestion, CCfgPage1::kNoFileModeMessage,
                                      CCfgPSheet::kNoPortQuestion}));
  EXPECT_EQ(sheet_.GetActiveIndex(), CCfgPSheet::kGeneralPage);
}

}  // namespace
}  // namespace kz::editor
