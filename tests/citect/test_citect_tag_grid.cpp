#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "citect/citect_tag_grid.h"
#include "platform/registry.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {
namespace {

struct Row {
  const char* project;
  const char* trend;
  const char* station;
};

class TagGridTest : public test::TempEnvTest {
 protected:
  void Fill(const std::vector<Row>& rows) {
    for (const Row& r : rows) {
      CCitectTrendTag& t = tags_.Add();
      t.m_strCitectProj = r.project;
      t.m_strTrendVar = r.trend;
      t.m_strStaName = r.station;
    }
    grid_.ReloadTags();
  }
  // The trend tag shown in each row, top to bottom.
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (int r = 0; r < grid_.GetNumberRows(); ++r) out.push_back(grid_.GetText(r, 1));
    return out;
  }

  test::ScriptedUi ui_;
  CCitectTrendTagArray tags_;
  CCitectTagGrid grid_{tags_, ui_};
};

TEST_F(TagGridTest, TitleClicksShareOneDirectionAndTieBreakAscending) {
  Fill({{"Water", "beta", "S1"}, {"power", "Alpha", "S2"}, {"water", "alpha", "S0"},
        {"Power", "Gamma", "S3"}});
  grid_.OnTitleClick(1);  // the first click sorts Z to A, without case
  EXPECT_FALSE(grid_.IsSortAscending());
  EXPECT_EQ(Shown().front(), "Gamma");
  EXPECT_EQ(Shown().back().size(), 5u);
  grid_.OnTitleClick(0);  // the next click, on any column, sorts A to Z
  EXPECT_TRUE(grid_.IsSortAscending());
  EXPECT_EQ(grid_.GetSortColumn(), 0);
  // Equal projects fall back on the trend tag, then the station ("alpha"/"Alpha" tie on both
  // earlier columns: S0 before S2).
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Alpha", "Gamma", "alpha", "beta"}));
  EXPECT_EQ(grid_.GetText(0, 3), "S2");
  grid_.ReloadTags();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"beta", "Alpha", "alpha", "Gamma"}));
}

// Letter case folded, a shorter text before its longer ones, bytes from 0x80 after ASCII; rows
// equal in the sort column ordered by the other columns, ascending.
TEST_F(TagGridTest, SortOrdersBytesAsTheColumnsCompare) {
  Fill({{"b", "x\xC3\xA9", ""}, {"B", "xz", ""}, {"a", "X", ""}, {"A", "x", "S"}, {"", "xZ_", ""},
        {"a", "x", "R"}});
  auto stations = [&] {
    std::string out;
    for (int r = 0; r < grid_.GetNumberRows(); ++r) out += grid_.GetText(r, 3) + ",";
    return out;
  };
  grid_.OnTitleClick(1);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"x\xC3\xA9", "xZ_", "xz", "X", "x", "x"}));
  EXPECT_EQ(stations(), ",,,,R,S,");
  grid_.OnTitleClick(0);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"xZ_", "X", "x", "x", "xz", "x\xC3\xA9"}));
  EXPECT_EQ(stations(), ",,R,S,,,");
}

TEST_F(TagGridTest, RowsReachTheirRecordsThroughTheRowOrder) {
  Fill({{"P", "a", ""}, {"P", "b", ""}, {"P", "c", ""}, {"P", "d", ""}});
  grid_.OnTitleClick(1);  // d c b a
  grid_.m_selection = {{0, 1}, {3, 1}, {2, -1}, {1, 3}};
  EXPECT_EQ(grid_.GetSelectedRows(), (std::vector<int>{1, 3}));
  EXPECT_EQ(grid_.GetRecordAtRow(1), &tags_[2]);
  EXPECT_EQ(grid_.GetRecordAtRow(4), nullptr);
  grid_.OnEditFinish(3, kCitectTagNameCol, "Flow");
  EXPECT_EQ(tags_[0].m_strTagName, "Flow");

  // Removing records renumbers the rows of the later ones as the list does.
  CCitectDataSource source = grid_.GetDataSource();
  source.RemoveRecordRows(std::vector<int>{2, 0});
  int pos = -1;
  ASSERT_EQ(source.RowCount(), 2);
  EXPECT_TRUE(source.GetRecordPos(0, pos));
  EXPECT_EQ(pos, 1);  // was d at 3
  EXPECT_EQ(source.GetRowOfRecord(0), 1);  // was b at 1
  EXPECT_EQ(source.GetRowOfRecord(2), -1);
  source.SetRows(std::vector<int>{0, 2, 1}, 0);  // only 2 is new: it goes to the front
  EXPECT_TRUE(source.GetRecordPos(0, pos));
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(source.RowCount(), 3);
}

TEST_F(TagGridTest, EditsStoreInTheBindingColumnsOnly) {
  Fill({{"P", "t", ""}});
  EXPECT_TRUE(grid_.WantsAttention(0, kCitectStaNameCol));
  for (int col = 0; col < grid_.GetNumberCols(); ++col) grid_.OnEditFinish(0, col, "x");
  const CCitectTrendTag& t = tags_[0];
  EXPECT_EQ(t.m_strCitectProj + t.m_strTrendVar, "Pt");
  EXPECT_EQ(t.m_strProjFile + t.m_strStaName + t.m_strDatalog + t.m_strTagName, "xxxx");
  EXPECT_FALSE(grid_.WantsAttention(0, kCitectStaNameCol));
  EXPECT_EQ(grid_.GetCellKind(2), CellKind::Ellipsis);
  EXPECT_EQ(grid_.GetCellKind(5), CellKind::DropList);

  // The wizard's two-column grid edits nothing and groups both columns under "Citect".
  const std::array<int, 2> columns{kCitectExprCol, kCitectTrendVarCol};
  CCitectTagGrid narrow(tags_, ui_, columns);
  narrow.ReloadTags();
  ASSERT_EQ(narrow.GetNumberCols(), 2);
  EXPECT_EQ(narrow.GetColumn(0).GetHeading(), "Trend Tag");
  EXPECT_EQ(narrow.GetGroupLabel(1), "Citect");
  for (int col = 0; col < 2; ++col) {
    EXPECT_EQ(narrow.GetCellKind(col), CellKind::ReadOnly);
    narrow.OnEditFinish(0, col, "y");
  }
  EXPECT_EQ(t.m_strTrendVar + t.m_strExpr, "t");
}

TEST_F(TagGridTest, DropListsFollowTheRecordsProjectFile) {
  const auto kpj = env_.Path("Site.kpj");
  test::KpjProject project;
  project.stations = {{"North", test::KpjStationList::kZel, 1, {"Hourly", "Daily"}},
                      {"South", test::KpjStationList::kBrenmark, 2, {"Daily"}}};
  project.datalogs = {{"Hourly", {}, {"Flow", "Level"}}, {"Daily", {}, {"Total"}}};
  ASSERT_TRUE(test::WriteKpjProject(kpj, project));
  Fill({{"P", "t", ""}});
  using Choices = std::vector<std::string>;
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectStaNameCol), Choices{});
  grid_.OnEditFinish(0, kCitectProjFileCol, kpj.string());
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectStaNameCol), (Choices{"North", "South"}));
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectDatalogCol), Choices{});
  // The tag list needs the datalog, not the station.
  grid_.OnDropListChoice(0, kCitectDatalogCol, "Hourly");
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectTagNameCol), (Choices{"Flow", "Level"}));
  grid_.OnDropListChoice(0, kCitectStaNameCol, "North");
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectDatalogCol), (Choices{"Hourly", "Daily"}));
}

TEST_F(TagGridTest, EllipsisStartsAtTheLastFileAndRemembersTheChoice) {
  Fill({{"P", "t", ""}});
  ui_.chosen_files = {std::nullopt, "/srv/kpj/Site.kpj", std::nullopt};
  grid_.OnEllipsis(0);  // cancelled: nothing changes
  EXPECT_EQ(tags_[0].m_strProjFile, "");
  grid_.OnEllipsis(0);
  EXPECT_EQ(tags_[0].m_strProjFile, "/srv/kpj/Site.kpj");
  grid_.OnEllipsis(0);
  ASSERT_EQ(ui_.file_dialogs.size(), 3u);
  EXPECT_EQ(ui_.file_dialogs[0].title, "Select a project file:");
  EXPECT_EQ(ui_.file_dialogs[0].initial_name, "*.kpj");
  EXPECT_EQ(ui_.file_dialogs[2].initial_dir, "/srv/kpj/");
  EXPECT_EQ(ui_.file_dialogs[2].initial_name, "Site.kpj");
  EXPECT_EQ(platform::AppProfile::GetString(kCitectAddTagSection, kGridLastProjFileEntry, ""),
            "/srv/kpj/Site.kpj");
}

}  // namespace
}  // namespace kz::citect
