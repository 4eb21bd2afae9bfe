#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>

#include "editor/data_file_name.h"
#include "editor/new_file_mode.h"

namespace kz::editor {
namespace {

using namespace std::chrono_literals;

TEST(DataFileNameTest, SampleJoinsDirectoryBaseNameAndDateUnlessTheFileStaysTheSame) {
  const std::chrono::year_month_day day = 2027y / 3 / 9;
  struct Case {
    const char* directory;
    int new_file_mode;
    int base_name;
    const char* sample;
  };
  const Case cases[] = {
      {"/data", kNewFileDaily, 1, "/data/Sta#_20270309.csv"},
      {"/data/", kNewFileDaily, 1, "/data/Sta#_20270309.csv"},
      {"", kNewFileSame, 1, "Sta#.csv"},
      {"", kNewFileWeekly, 0, "StaName_20270309.csv"},
      {"d", kNewFileMonthly, 2, "d/DlogCfgName_20270309.csv"},
      {"d", -1, 3, "d/StaName_DlogCfgName_20270309.csv"},  // no selection is dated
      {"d", kNewFileSame, 4, "d/DlogCfgName_Sta#.csv"},
      {"d", kNewFileSame, 5, "d/DlogCfgName_StaID.csv"},
      {"d", kNewFileDaily, -1, ""},
      {"d", kNewFileDaily, 6, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.directory << " mode " << c.new_file_mode << " base " << c.base_name);
    EXPECT_EQ(SampleDataFileName(c.directory, c.new_file_mode, c.base_name, day), c.sample);
  }
}

// Daily files start at a time, weekly ones on a day; no method leaves the controls as they are.
TEST(NewFileModeTest, StartingShowsATimeForDailyAndADayForWeeklyFiles) {
  const std::tuple<int, bool, bool, bool> cases[] = {// mode, label, time, weekday
                                                     {kNewFileSame, false, false, false},
                                                     {kNewFileDaily, true, true, false},
                                                     {kNewFileWeekly, true, false, true},
                                                     {kNewFileMonthly, false, false, false}};
  for (const auto& [mode, label, time, weekday] : cases) {
    const auto shown = StartingVisibilityFor(mode);
    ASSERT_TRUE(shown) << mode;
    EXPECT_EQ(std::tie(shown->label, shown->time_picker, shown->weekday_list),
              std::tie(label, time, weekday))
        << mode;
  }
  EXPECT_FALSE(StartingVisibilityFor(-1));
  EXPECT_FALSE(StartingVisibilityFor(4));
}

}  // namespace
}  // namespace kz::editor
