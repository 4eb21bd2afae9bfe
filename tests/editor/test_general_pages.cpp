// The General page of each edition (CCfgPage1 standard, CCfgPage5 Citect): fill, enable rules,
// the checks on leaving it and which settings it stores.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "editor/apply_steps.h"
#include "editor/cfg_page5.h"
#include "editor/new_file_mode.h"
#include "general_page_fixture.h"

namespace kz::editor {
namespace {

using Keys = std::set<std::string>;
using Strings = std::vector<std::string>;
constexpr const char* kCitect = "product=citect";

CCfgPage1& Std(CCfgGeneralPage& p) {
  return static_cast<CCfgPage1&>(p);
}

TEST(GeneralPagesTest, FillShowsTheModelInBothEditions) {
  const struct {
    const char* general;
    int shown_mode, shown_pc_time, weekday, start_time, shown_base;
    bool clock, log;
    const char* sample;
  } cases[] = {
      // The time runs on into the next day.
      {"mode=1\r\nnew file mode=1\r\nnew file synch mode=124200\r\nauto mode base name choice=4\r\n"
       "set sta clock=1\r\npc time format=1\r\nenable log=1\r\n",
       1, 1, -1, 37800, 4, true, true, "/srv/data/DlogCfgName_Sta#_20270309.csv"},
      // Values that are no entry select nothing; midnight unless daily.
      {"mode=2\r\nnew file mode=2\r\nnew file synch mode=4\r\nauto mode base name choice=6\r\n"
       "set sta clock=0\r\npc time format=2\r\nenable log=0\r\n",
       -1, -1, 4, 0, -1, false, false, ""},
  };
  for (const char* options : {"", kCitect}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << '"' << options << "\" mode " << c.shown_mode);
      GeneralPage s(options, std::string(c.general) +
                                 "auto mode data path=/srv/data\r\nclock tolerance=300\r\n"
                                 "log dir=/var/log/kz\r\nuse scaling=0\r\ncheck duplicates=1\r\n");
      CCfgGeneralPage& p = s.Open();
      EXPECT_EQ(std::tie(p.m_nMode, p.m_bSetStaClock, p.m_strClockTolerance, p.m_nPcTimeFormat,
                         p.m_bEnableLog, p.m_strLogDir, p.m_bClockEnabled, p.m_bLogDirEnabled),
                std::make_tuple(c.shown_mode, c.clock, std::string("300"), c.shown_pc_time, c.log,
                                std::string("/var/log/kz"), c.clock, c.log));
      if (s.sheet.IsCitect()) continue;
      const CCfgPage1& p1 = Std(p);
      EXPECT_EQ(p1.m_bAutoEnabled, c.shown_mode == 1);
      EXPECT_EQ(p1.m_nNewFileMode, s.model.GetNewFileMode());
      EXPECT_EQ(std::tie(p1.m_nWeekday, p1.m_nStartTime, p1.m_nBaseName, p1.m_strSample),
                std::make_tuple(c.weekday, c.start_time, c.shown_base, std::string(c.sample)));
      EXPECT_EQ(p1.m_bStartTimeVisible, p1.m_nNewFileMode == 1);
      EXPECT_EQ(p1.m_bWeekdayVisible, p1.m_nNewFileMode == 2);
      EXPECT_EQ(p1.m_strDataDir, "/srv/data");
      EXPECT_FALSE(p1.m_bUseScaling);
      EXPECT_TRUE(p1.m_bCheckDuplicates);
    }
  }
}

// Which controls a method shows is StartingVisibilityFor's (see its test); here, that the page
// follows it and the sample follows the controls.
TEST(GeneralPagesTest, StartingAndSampleFollowTheControlsAndTheWeekdayIsStored) {
  GeneralPage s("", "new file mode=2\r\nnew file synch mode=5\r\nauto mode data path=/d\r\n"
                    "auto mode base name choice=1\r\n");
  CCfgPage1& p = s.Standard();
  p.m_nNewFileMode = kNewFileSame;
  p.OnNewFileModeChanged();
  EXPECT_EQ(std::tie(p.m_nWeekday, p.m_bStartingVisible, p.m_strSample),
            std::make_tuple(0, false, std::string("/d/Sta#.csv")));  // weekly files restart Sunday
  p.m_nNewFileMode = kNewFileDaily;
  p.OnNewFileModeChanged();
  EXPECT_EQ(std::tie(p.m_bStartingVisible, p.m_bStartTimeVisible, p.m_bWeekdayVisible),
            std::make_tuple(true, true, false));
  p.m_nNewFileMode = -1;  // no selection: as it was
  p.OnNewFileModeChanged();
  EXPECT_TRUE(p.m_bStartTimeVisible);
  p.m_nBaseName = 5;
  p.OnBaseNameChanged();
  EXPECT_EQ(p.m_strSample, "/d/DlogCfgName_StaID_20270309.csv");
  p.m_strDataDir = "/a/";
  p.OnDataDirChanged();
  EXPECT_EQ(p.m_strSample, "/a/DlogCfgName_StaID_20270309.csv");

  // Stored, the weekday is kept for every method but daily. Method, weekday, synch mode stored:
  const std::tuple<int, int, int> cases[] = {{0, 4, 4}, {1, 4, 37800}, {2, 6, 6}, {3, -1, -1}};
  p.m_nMode = CCfgPage1::kModeAutomatic;
  p.m_nStartTime = 37800;
  for (const auto& [mode, weekday, synch] : cases) {
    SCOPED_TRACE(mode);
    p.m_nNewFileMode = mode;
    p.m_nWeekday = weekday;
    ASSERT_TRUE(p.OnKillActive());
    EXPECT_EQ(s.model.GetNewFileSynchMode(), synch);
  }
}

TEST(GeneralPagesTest, FolderBrowsersReplaceTheirTextOnlyWhenAFolderIsChosen) {
  GeneralPage s("");
  CCfgPage1& p = s.Standard();
  p.m_strDataDir = "/old";
  p.m_strLogDir = "/oldlog";
  // Cancelled, or no file-system path: nothing changes (both browsers share the rule).
  s.ui.chosen_folders = {std::nullopt, "", "/new", "/newlog"};
  for (const char* expected : {"/old", "/old", "/new"}) {
    p.OnBrowseDataDir();
    EXPECT_EQ(p.m_strDataDir, expected);
  }
  EXPECT_EQ(p.m_strSample, "/new/StaName.csv");
  p.OnBrowseLogDir();
  EXPECT_EQ(p.m_strLogDir, "/newlog");
  using Dialog = std::pair<std::string, std::string>;
  const Dialog data = {"Select the directory for data files:", "/old"};
  const Dialog log = {"Select the directory for log files:", "/oldlog"};
  EXPECT_EQ(s.ui.folder_dialogs, (std::vector<Dialog>{data, data, data, log}));
}

// Each case breaks one control of an otherwise valid page: the page shows at most one box (an
// untitled OK box), points the focus at the control to mend, stores what comes before it and
// nothing after it. The standard page also stores "use scaling" whatever is refused; the Citect
// page stores mode, clock and log only.
TEST(GeneralPagesTest, StoreChecksInOrderAndStoresWhatComesBeforeARefusal) {
  Keys all;
  for (const GeneralKey& key : kGeneralKeys) all.insert(key.name);
  const auto without = [](Keys keys, std::initializer_list<const char*> less) {
    for (const char* k : less) keys.erase(k);
    return keys;
  };
  const Keys before_clock = {"mode",        "new file mode",       "auto mode base name choice",
                             "use scaling", "auto mode data path", "new file synch mode",
                             "set sta clock", "pc time format"};
  const std::string warning = CCfgPage1::kDuplicatesWarning;
  using P = CCfgPage1;
  using G = CCfgGeneralPage;
  const struct {
    const char* name;
    const char* options;
    std::function<void(G&)> change;
    std::string message;  // a refusal unless empty or the warning
    int focus;
    Keys stored;
  } cases[] = {
      {"valid", "", [](G&) {}, warning, 0, all},
      {"specified stations only", "",
       [](G& p) {
         p.m_nMode = 0;
         Std(p).m_nNewFileMode = Std(p).m_nBaseName = -1;
         Std(p).m_strDataDir.clear();
       },
       warning, 0,
       without(all, {"new file mode", "auto mode base name choice", "auto mode data path",
                     "new file synch mode"})},
      {"no creation mode", "", [](G& p) { Std(p).m_nNewFileMode = -1; }, P::kNoFileModeMessage,
       P::kNewFileModeList, Keys{"mode", "use scaling"}},
      {"no base name", "", [](G& p) { Std(p).m_nBaseName = -1; }, P::kNoBaseNameMessage,
       P::kBaseNameList, Keys{"mode", "new file mode", "use scaling"}},
      {"no data directory", "", [](G& p) { Std(p).m_strDataDir.clear(); }, P::kNoDataDirMessage,
       P::kDataDirEdit, Keys{"mode", "new file mode", "auto mode base name choice", "use scaling"}},
      {"tolerance out of range", "", [](G& p) { p.m_strClockTolerance = "604801"; },
       P::kToleranceRangeMessage, P::kToleranceEdit, before_clock},
      {"no log directory", "", [](G& p) { p.m_strLogDir.clear(); }, P::kNoLogDirMessage,
       P::kLogDirEdit, without(all, {"log dir", "check duplicates"})},
      // Unticked boxes: what they enable is neither checked nor stored, and no warning shows.
      {"clock, log and duplicate check cleared", "",
       [](G& p) {
         p.m_bSetStaClock = p.m_bEnableLog = Std(p).m_bCheckDuplicates = false;
         p.m_strClockTolerance = "0";
         p.m_strLogDir.clear();
       },
       "", 0, without(all, {"clock tolerance", "pc time format", "log dir"})},
      {"citect valid", kCitect, [](G&) {}, "", 0,
       Keys{"mode", "set sta clock", "clock tolerance", "pc time format", "enable log", "log dir"}},
      {"citect no log directory", kCitect, [](G& p) { p.m_strLogDir.clear(); }, G::kNoLogDirMessage,
       G::kLogDirEdit,
       Keys{"mode", "set sta clock", "clock tolerance", "pc time format", "enable log"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Every setting at a value no control can give back, so each one stored shows as changed.
    GeneralPage s(c.options,
                  "mode=5\r\nnew file mode=9\r\nnew file synch mode=-5\r\nauto mode data path=unset"
                  "\r\nauto mode base name choice=9\r\nset sta clock=7\r\nclock tolerance=-1\r\n"
                  "pc time format=9\r\nenable log=7\r\nlog dir=unset\r\nuse scaling=7\r\n"
                  "check duplicates=7\r\n");
    CCfgGeneralPage& p = s.Open();
    p.m_nMode = CCfgGeneralPage::kModeAutomatic;
    p.m_bSetStaClock = p.m_bEnableLog = true;
    p.m_strClockTolerance = "120";
    p.m_nPcTimeFormat = 1;
    p.m_strLogDir = "/var/log/kz";
    if (!s.sheet.IsCitect()) {
      CCfgPage1& p1 = Std(p);
      p1.m_nNewFileMode = 1;
      p1.m_nStartTime = 37800;
      p1.m_strDataDir = "/srv/data";
      p1.m_nBaseName = 2;
      p1.m_bUseScaling = false;
      p1.m_bCheckDuplicates = true;
    }
    c.change(p);
    const auto before = GeneralSnapshot(s.model);
    const bool refused = !c.message.empty() && c.message != warning;
    EXPECT_EQ(p.OnKillActive(), !refused);
    using Boxes = std::vector<test::ScriptedUi::Box>;
    EXPECT_EQ(s.ui.boxes, (c.message.empty()
                               ? Boxes{}
                               : Boxes{{c.message, "", ui::Buttons::Ok, ui::Icon::None}}));
    if (refused) {
      EXPECT_EQ(p.focus(), c.focus);
    }
    const auto after = GeneralSnapshot(s.model);
    Keys changed;
    for (std::size_t i = 0; i < kGeneralKeyCount; ++i) {
      if (before[i] != after[i]) changed.insert(kGeneralKeys[i].name);
    }
    EXPECT_EQ(changed, c.stored);
  }
}

// The rule both pages share; the focus, and the time format stored despite a refusal, are
// checked above.
TEST(GeneralPagesTest, ToleranceIsOneSecondToOneWeek) {
  const char* range = CCfgGeneralPage::kToleranceRangeMessage;
  // Text typed, message (nullptr: stored).
  const std::pair<const char*, const char*> cases[] = {
      {"", CCfgGeneralPage::kNoToleranceMessage}, {"0", range}, {"1", nullptr},
      {"604800", nullptr}, {"604801", range}, {"99999999999999999999", range}, {"12a", range}};
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    GeneralPage s(kCitect);
    CCfgGeneralPage& page = s.Open();
    page.m_bSetStaClock = true;
    page.m_strClockTolerance = text;
    EXPECT_EQ(page.OnKillActive(), message == nullptr);
    EXPECT_EQ(s.ui.Texts(), message ? Strings{message} : Strings{});
    EXPECT_EQ(s.model.GetClockTolerance(), message ? 60 : std::stoi(text));
  }
}

// The duplicate warning shows each time the page is left with the box ticked. OK with no live
// port, answered Yes, lets the General page check itself: its refusal keeps the sheet open.
TEST(GeneralPagesTest, LeavingThePageRunsItsChecksEachTime) {
  GeneralPage s("");
  CCfgPage1& p = s.Standard();
  p.m_bCheckDuplicates = true;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(s.sheet.SetActivePage(CCfgPSheet::kClientTransfersPage));
    ASSERT_TRUE(s.sheet.SetActivePage(CCfgPSheet::kGeneralPage));
  }
  p.m_nMode = CCfgPage1::kModeAutomatic;
  p.m_nNewFileMode = -1;
  s.ui.answers = {ui::Answer::Yes};
  EXPECT_FALSE(s.sheet.OnOK());
  EXPECT_EQ(s.ui.Texts(), (Strings{CCfgPage1::kDuplicatesWarning, CCfgPage1::kDuplicatesWarning,
                                   CCfgPSheet::kNoPortQuestion, CCfgPage1::kNoFileModeMessage}));
}

}  // namespace
}  // namespace kz::editor
