// The General page of each edition (CCfgPage1 standard, CCfgPage5 Citect): fill, enable rules,
// the sample data file name, the checks on leaving it and which settings it stores.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "editor/apply_steps.h"
#include "editor/new_file_mode.h"
#include "general_page_fixture.h"

namespace kz::editor {
namespace {

using Strings = std::vector<std::string>;
using Boxes = std::vector<test::ScriptedUi::Box>;
constexpr const char* kCitect = "product=citect";

CCfgPage1& Std(CCfgGeneralPage& p) {
  return static_cast<CCfgPage1&>(p);
}

// The store test shows every setting filled as stored; here, values no entry offers select
// nothing, and the start time rests at midnight unless daily, where it runs on past a day.
TEST(GeneralPagesTest, FillSelectsNothingForValuesNoEntryOffers) {
  GeneralPage unoffered("",
                        "mode=2\r\nnew file mode=5\r\nnew file synch mode=4\r\n"
                        "auto mode base name choice=6\r\npc time format=2\r\n");
  const CCfgPage1& u = Std(unoffered.Open());
  EXPECT_EQ(
      std::tie(u.m_nMode, u.m_nPcTimeFormat, u.m_bClockEnabled, u.m_bLogDirEnabled,
               u.m_nNewFileMode, u.m_nWeekday, u.m_nStartTime, u.m_nBaseName, u.m_bAutoEnabled),
      std::make_tuple(-1, -1, false, false, -1, 4, 0, -1, false));
  GeneralPage s("",
                "mode=1\r\nnew file mode=1\r\nnew file synch mode=124200\r\n"
                "set sta clock=1\r\nenable log=1\r\n");
  const CCfgPage1& p = Std(s.Open());
  EXPECT_EQ(std::tie(p.m_nStartTime, p.m_nWeekday, p.m_strSample, p.m_bAutoEnabled,
                     p.m_bClockEnabled, p.m_bLogDirEnabled),
            std::make_tuple(37800, -1, "StaName_20270309.csv", true, true, true));
}

// Row by row on one page: a method starts weekly files on Sunday again and shows its "Starting:"
// controls (no method leaves them as they were); the sample is dated unless the file stays the
// same, and empty without a base name. A folder browser replaces its text only when a folder is
// chosen. Stored, the weekday is kept for every method but daily. Then the page is left.
TEST(GeneralPagesTest, ControlsDriveTheStartingControlsTheSampleAndTheSynchMode) {
  GeneralPage s("");
  CCfgPage1& p = Std(s.Open());
  // Directory, method, base name; sample; "Starting:", its time picker, its weekday list shown.
  const std::tuple<const char*, int, int, const char*, bool, bool, bool> cases[] = {
      {"/data", kNewFileDaily, 1, "/data/Sta#_20270309.csv", true, true, false},
      {"/data/", kNewFileWeekly, 1, "/data/Sta#_20270309.csv", true, false, true},
      {"", kNewFileSame, 1, "Sta#.csv", false, false, false},
      {"", kNewFileWeekly, 0, "StaName_20270309.csv", true, false, true},
      {"d", -1, 3, "d/StaName_DlogCfgName_20270309.csv", true, false, true},
      {"d", kNewFileMonthly, 2, "d/DlogCfgName_20270309.csv", false, false, false},
      {"d", kNewFileSame, 4, "d/DlogCfgName_Sta#.csv", false, false, false},
      {"d", kNewFileDaily, 5, "d/DlogCfgName_StaID_20270309.csv", true, true, false},
      {"d", 4, -1, "", true, true, false},
      {"/old", kNewFileSame, 6, "", false, false, false},
  };
  for (const auto& [dir, mode, base, sample, label, time, weekday] : cases) {
    p.m_strDataDir = dir;
    p.m_nBaseName = base;
    p.m_nNewFileMode = mode;
    p.m_nWeekday = 3;
    p.OnNewFileModeChanged();
    EXPECT_EQ(std::tie(p.m_strSample, p.m_nWeekday, p.m_bStartingVisible, p.m_bStartTimeVisible,
                       p.m_bWeekdayVisible),
              std::make_tuple(std::string(sample), 0, label, time, weekday));
  }
  p.m_nBaseName = 0;
  p.OnBaseNameChanged();
  EXPECT_EQ(p.m_strSample, "/old/StaName.csv");
  // Cancelled, then no file-system path: the text stays, as the next browser's start shows.
  s.ui.chosen_folders = {std::nullopt, "", "/new", "/newlog"};
  for (int i = 0; i < 3; ++i) p.OnBrowseDataDir();
  p.OnBrowseLogDir();
  EXPECT_EQ(std::tie(p.m_strDataDir, p.m_strSample, p.m_strLogDir),
            std::make_tuple("/new", "/new/StaName.csv", "/newlog"));
  using Dialog = std::pair<std::string, std::string>;
  const Dialog data = {"Select the directory for data files:", "/old"};
  EXPECT_EQ(s.ui.folder_dialogs,
            (std::vector<Dialog>{data, data, data, {"Select the directory for log files:", ""}}));
  p.m_strDataDir = "/a";
  p.OnDataDirChanged();
  EXPECT_EQ(p.m_strSample, "/a/StaName.csv");

  // Method, weekday, synch mode stored.
  const std::tuple<int, int, int> stored[] = {{0, 4, 4}, {1, 4, 37800}, {2, 6, 6}, {3, -1, -1}};
  p.m_nMode = CCfgPage1::kModeAutomatic;
  p.m_nStartTime = 37800;
  for (const auto& [mode, weekday, synch] : stored) {
    p.m_nNewFileMode = mode;
    p.m_nWeekday = weekday;
    ASSERT_TRUE(p.OnKillActive());
    EXPECT_EQ(s.model.GetNewFileSynchMode(), synch);
  }

  // The duplicate warning shows each time the page is left with the box ticked. OK with no live
  // port (a removed one does not count) asks first: No keeps the sheet open without checking the
  // page; Yes lets the General page check itself, and its refusal keeps the sheet open.
  p.m_bCheckDuplicates = true;
  for (const int page : {1, 0, 1, 0}) ASSERT_TRUE(s.sheet.SetActivePage(page));
  p.m_nNewFileMode = -1;
  s.model.AddPort(config::PORT_UDP);
  s.model.RemovePort(0);
  s.ui.answers = {ui::Answer::No, ui::Answer::Yes};
  EXPECT_FALSE(s.sheet.OnOK());
  EXPECT_FALSE(s.sheet.OnOK());
  EXPECT_EQ(s.ui.Texts(), (Strings{CCfgPage1::kDuplicatesWarning, CCfgPage1::kDuplicatesWarning,
                                   CCfgPSheet::kNoPortQuestion, CCfgPSheet::kNoPortQuestion,
                                   CCfgPage1::kNoFileModeMessage}));
}

// Each case breaks one control of a page filled with valid settings: the page shows at most one
// box (an untitled OK box), points the focus at the control to mend, stores what comes before it
// and nothing after it. The standard page also stores "use scaling" whatever is refused; the
// Citect page stores mode, clock and log only.
TEST(GeneralPagesTest, StoreChecksInOrderAndStoresWhatComesBeforeARefusal) {
  const std::string warning = CCfgPage1::kDuplicatesWarning;
  using P = CCfgPage1;
  using G = CCfgGeneralPage;
  const auto tolerance = [](const char* t) { return [t](G& p) { p.m_strClockTolerance = t; }; };
  const char* range = G::kToleranceRangeMessage;
  // Options, change, message (a refusal unless empty or the warning), focus after a refusal, and
  // a mark per setting in the order of kGeneralKeys (mode, new file mode, synch mode, data path,
  // base name, set clock, tolerance, time format, enable log, log dir, scaling, duplicates):
  // x stored as filled, * stored as changed, . not stored.
  const std::tuple<const char*, std::function<void(G&)>, std::string, int, std::string> cases[] = {
      // Only specified stations: no data file setting is checked or stored.
      {"",
       [](G& p) {
         p.m_nMode = 0;
         Std(p).m_nNewFileMode = Std(p).m_nBaseName = -1;
         Std(p).m_strDataDir.clear();
       },
       warning, 0, "*....xxxxxxx"},
      {"", [](G& p) { Std(p).m_nNewFileMode = -1; }, P::kNoFileModeMessage, P::kNewFileModeList,
       "x.........x."},
      {"", [](G& p) { Std(p).m_nBaseName = -1; }, P::kNoBaseNameMessage, P::kBaseNameList,
       "xx........x."},
      {"", [](G& p) { Std(p).m_strDataDir.clear(); }, P::kNoDataDirMessage, P::kDataDirEdit,
       "xx..x.....x."},
      // The tolerance lies in 1 to 604800 and is typed as digits only.
      {"", tolerance(""), G::kNoToleranceMessage, G::kToleranceEdit, "xxxxxx.x..x."},
      {"", tolerance("0"), range, G::kToleranceEdit, "xxxxxx.x..x."},
      {"", tolerance("1"), warning, 0, "xxxxxx*xxxxx"},
      {"", tolerance("604800"), warning, 0, "xxxxxx*xxxxx"},
      {"", tolerance("604801"), range, G::kToleranceEdit, "xxxxxx.x..x."},
      {"", tolerance("99999999999999999999"), range, G::kToleranceEdit, "xxxxxx.x..x."},
      {"", tolerance("12a"), range, G::kToleranceEdit, "xxxxxx.x..x."},
      {"", [](G& p) { p.m_strLogDir.clear(); }, P::kNoLogDirMessage, P::kLogDirEdit,
       "xxxxxxxxx.x."},
      // Unticked boxes: what they enable is neither checked nor stored, and no warning shows.
      {"",
       [](G& p) {
         p.m_bSetStaClock = p.m_bEnableLog = Std(p).m_bCheckDuplicates = false;
         p.m_strClockTolerance = "0";
         p.m_strLogDir.clear();
       },
       "", 0, "xxxxx*..*.x*"},
      {kCitect, [](G&) {}, "", 0, "x....xxxxx.."},
      {kCitect, [](G& p) { p.m_strLogDir.clear(); }, G::kNoLogDirMessage, G::kLogDirEdit,
       "x....xxxx..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const auto& [options, change, message, focus, expected] = c;
    GeneralPage s(options,
                  "mode=1\r\nnew file mode=1\r\nnew file synch mode=37800\r\nauto mode data "
                  "path=/srv/data\r\nauto mode base name choice=2\r\nset sta clock=1\r\nclock "
                  "tolerance=120\r\npc time format=1\r\nenable log=1\r\nlog dir=/var/log/kz\r\n"
                  "use scaling=1\r\ncheck duplicates=1\r\n");
    CCfgGeneralPage& p = s.Open();
    change(p);
    const auto filled = GeneralSnapshot(s.model);
    // Every setting at a value no control can give back, so each one stored shows as changed.
    s.model.Load(platform::ProfileDocument(
        "[general]\r\nmode=5\r\nnew file mode=9\r\nnew file synch mode=-5\r\nauto mode data "
        "path=unset\r\nauto mode base name choice=9\r\nset sta clock=7\r\nclock tolerance=-1\r\n"
        "pc time format=9\r\nenable log=7\r\nlog dir=unset\r\nuse scaling=7\r\n"
        "check duplicates=7\r\n"));
    const auto unset = GeneralSnapshot(s.model);
    const bool refused = !message.empty() && message != warning;
    EXPECT_EQ(p.OnKillActive(), !refused);
    EXPECT_EQ(s.ui.boxes, (message.empty() ? Boxes{} : Boxes{{message, "", ui::Buttons::Ok}}));
    EXPECT_EQ(p.focus(), refused ? focus : G::kNoFocus);
    const auto after = GeneralSnapshot(s.model);
    std::string stored;
    for (std::size_t i = 0; i < kGeneralKeyCount; ++i) {
      stored += after[i] == unset[i] ? '.' : after[i] == filled[i] ? 'x' : '*';
    }
    EXPECT_EQ(stored, expected);
    if (stored[kKeyClockTolerance] == '*') {
      EXPECT_EQ(s.model.GetClockTolerance(), std::stoi(p.m_strClockTolerance));
    }
  }
}

}  // namespace
}  // namespace kz::editor
