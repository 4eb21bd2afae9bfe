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

using Texts = std::vector<std::string>;
using Action = CCitectTagGrid::OpenKeyAction;

class TagGridTest : public test::TempEnvTest {
 protected:
  // Records of project, trend tag and station.
  void Fill(const std::vector<std::array<const char*, 3>>& rows) {
    for (const auto& [project, trend, station] : rows) {
      CCitectTrendTag& t = tags_.Add();
      t.m_strCitectProj = project;
      t.m_strTrendVar = trend;
      t.m_strStaName = station;
    }
    grid_.ReloadTags();
  }
  // Each row's trend tag, and its station after a slash when there is one.
  static std::string Rows(const CCitectTagGrid& grid) {
    std::string out;
    for (int r = 0; r < grid.GetNumberRows(); ++r) {
      const std::string& station = grid.GetText(r, kCitectStaNameCol);
      out += grid.GetText(r, kCitectTrendVarCol) + (station.empty() ? "" : "/" + station) + " ";
    }
    return out;
  }

  test::ScriptedUi ui_;
  CCitectTrendTagArray tags_;
  CCitectTagGrid grid_{tags_, ui_};
};

// Every title click toggles one shared direction, the first to Z to A; letter case is folded, a
// shorter text sorts before its longer ones and bytes from 0x80 after ASCII; rows equal in the
// sort column follow the other columns, ascending.
TEST_F(TagGridTest, TitleClicksSortTheRowsWhichLeadEditsToTheirRecords) {
  const struct {
    std::vector<int> clicks;
    const char* rows;
  } cases[] = {
      {{1}, "x\xC3\xA9 xZ_ xz X x/R x/S "},
      {{1, 0}, "xZ_ X x/R x/S xz x\xC3\xA9 "},
      {{1, 1}, "X x/R x/S xz xZ_ x\xC3\xA9 "},
  };
  Fill({{"b", "x\xC3\xA9", ""},
        {"B", "xz", ""},
        {"a", "X", ""},
        {"A", "x", "S"},
        {"", "xZ_", ""},
        {"a", "x", "R"}});
  for (const auto& c : cases) {
    CCitectTagGrid grid(tags_, ui_);
    grid.ReloadTags();
    for (int col : c.clicks) grid.OnTitleClick(col);
    EXPECT_EQ(Rows(grid), c.rows);
  }
  grid_.OnTitleClick(1);
  grid_.OnEditFinish(1, kCitectTagNameCol, "Flow");  // the record shown, not the row's number
  EXPECT_EQ(tags_[4].m_strTagName, "Flow");
  // Removed records leave the row order and later positions close up as the list's do; positions
  // not yet shown enter at the front.
  CCitectDataSource source = grid_.GetDataSource();
  source.RemoveRecordRows(std::vector<int>{4, 1});
  source.SetRows(std::vector<int>{0, 1, 2, 3, 4}, 0);
  std::vector<int> positions(source.RowCount());
  for (int r = 0; r < source.RowCount(); ++r) source.GetRecordPos(r, positions[r]);
  EXPECT_EQ(positions, (std::vector<int>{4, 0, 1, 3, 2}));
}

// Texts that share megabytes before they differ are sorted without a pass per eight bytes on
// the call stack.
TEST_F(TagGridTest, LongSharedTextsSortWithoutExhaustingTheStack) {
  const std::string shared(4 << 20, 'x');
  Fill({{"P", "", ""}, {"P", "", ""}});
  tags_[0].m_strTrendVar = shared + "a";
  tags_[1].m_strTrendVar = shared + "b";
  grid_.OnTitleClick(kCitectTrendVarCol);  // Z to A
  EXPECT_EQ(grid_.GetText(0, kCitectTrendVarCol).back(), 'b');
}

// Sort keys of two columns placed one after another order as the first column's texts, zero bytes
// and texts that begin others included, whatever the second column holds; reversed, reversed.
TEST(GridColumnSortKey, OrdersAsTheTextsOneColumnAtATime) {
  using namespace std::string_literals;
  const std::pair<std::string, std::string> ordered[] = {
      {"x", "x\0"s}, {"x\0"s, "x\1"s}, {"x\0"s, "x\0\0"s}, {"X", "xa"}, {"z", "\xC3"}};
  const CCitectGridCol trend(kCitectTrendVarCol);
  const CCitectGridCol station(kCitectStaNameCol);
  for (const auto& [low, high] : ordered) {
    SCOPED_TRACE(low + "<" + high);
    for (bool descending : {false, true}) {
      std::string keys[2];
      const std::string texts[2] = {low, high};
      for (int i = 0; i < 2; ++i) {
        CCitectTrendTag t;
        t.m_strTrendVar = texts[i];
        t.m_strStaName = i == 0 ? "\xff" : "";
        trend.AppendSortKey(t, descending, keys[i]);
        station.AppendSortKey(t, false, keys[i]);
      }
      EXPECT_EQ(keys[0] < keys[1], !descending);
    }
  }
}

// What each standard column offers, and that edits reach the record in editable ones only.
TEST_F(TagGridTest, ColumnsOfferTheirEditorsAndStoreOnlyWhereEditable) {
  const struct {
    CellKind kind;
    Action open_key;
    std::string_view group;
    std::string CCitectTrendTag::*field;
  } cases[] = {
      {CellKind::ReadOnly, Action::None, "Citect", &CCitectTrendTag::m_strCitectProj},
      {CellKind::ReadOnly, Action::None, "Citect", &CCitectTrendTag::m_strTrendVar},
      {CellKind::Ellipsis, Action::ChooseFile, "KALDEN", &CCitectTrendTag::m_strProjFile},
      {CellKind::DropList, Action::ShowDropList, "KALDEN", &CCitectTrendTag::m_strStaName},
      {CellKind::DropList, Action::ShowDropList, "KALDEN", &CCitectTrendTag::m_strDatalog},
      {CellKind::DropList, Action::ShowDropList, "KALDEN", &CCitectTrendTag::m_strTagName},
  };
  Fill({{"P", "t", ""}});
  ASSERT_EQ(grid_.GetNumberCols(), 6);
  for (int col = 0; col < 6; ++col) {
    const auto& c = cases[col];
    EXPECT_EQ(grid_.GetCellKind(col), c.kind);
    EXPECT_EQ(grid_.GetOpenKeyAction(0, col), c.open_key);
    EXPECT_EQ(grid_.GetGroupLabel(col), c.group);
    EXPECT_EQ(grid_.WantsAttention(0, col), (tags_[0].*c.field).empty());
    grid_.OnEditFinish(0, col, c.kind == CellKind::ReadOnly ? "" : "/home/user/projects/s.kpj");
    EXPECT_NE(tags_[0].*c.field, "");
  }
  // The path is drawn compacted with the whole of it in its tool tip; other texts whole.
  const auto measure = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
  EXPECT_EQ(grid_.GetShownText(0, 2, 150, measure, 10), "/ho/.../s.kpj");
  EXPECT_EQ(grid_.GetShownText(0, 3, 50, measure, 10), "/home/user/projects/s.kpj");
  EXPECT_EQ(grid_.GetToolTip(0, 2),
            "/home/user/projects/s.kpj\nChoose a project file (F4 or Alt+Down)");
}

TEST_F(TagGridTest, SelectionKeepsCellsOrWholeRowsInTheOrderSelected) {
  Fill({{"P", "a", ""}, {"P", "b", ""}, {"P", "c", ""}});
  const auto cells = [&] {
    std::vector<std::array<int, 2>> out;  // row, column
    for (const auto& c : grid_.m_selection) out.push_back({c.row, c.col});
    return out;
  };
  using Cells = std::vector<std::array<int, 2>>;
  grid_.OnCellsSelected(2, 3, 2, 4);
  grid_.OnCellsSelected(0, 1, 2, 1);
  grid_.OnCellsSelected(2, 4, 2, 4);  // already there
  grid_.OnCellsDeselected(1, 0, 2, 1);
  EXPECT_EQ(cells(), (Cells{{2, 3}, {2, 4}, {0, 1}}));
  grid_.m_bHighlightRow = true;  // a row is one cell at column 0; any of its cells drops it
  grid_.OnCellsSelected(1, 2, 1, 5);
  grid_.OnCellsDeselected(2, 5, 2, 5);
  EXPECT_EQ(cells(), (Cells{{0, 1}, {1, 0}}));
  tags_.RemoveAt(2);
  tags_.RemoveAt(1);
  grid_.ReloadTags();
  grid_.DropVanishedSelection();
  EXPECT_EQ(cells(), (Cells{{0, 1}}));
}

// Each list needs the field before it: stations the project file, datalogs the station, tags
// the datalog.
TEST_F(TagGridTest, DropListsFollowTheRecordsProjectFile) {
  const auto kpj = env_.Path("Site.kpj");
  test::KpjProject project;
  project.stations = {{"North", test::KpjStationList::kZel, 1, {"Hourly", "Daily"}},
                      {"South", test::KpjStationList::kBrenmark, 2, {"Daily"}}};
  project.datalogs = {{"Hourly", {}, {"Flow", "Level"}}, {"Daily", {}, {"Total"}}};
  ASSERT_TRUE(test::WriteKpjProject(kpj, project));
  Fill({{"P", "t", ""}});
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectStaNameCol), Texts{});
  grid_.OnEditFinish(0, kCitectProjFileCol, kpj.string());
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectStaNameCol), (Texts{"North", "South"}));
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectDatalogCol), Texts{});
  grid_.OnDropListChoice(0, kCitectDatalogCol, "Hourly");
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectTagNameCol), (Texts{"Flow", "Level"}));
  grid_.OnDropListChoice(0, kCitectStaNameCol, "North");
  EXPECT_EQ(grid_.GetDropListChoices(0, kCitectDatalogCol), (Texts{"Hourly", "Daily"}));
}

TEST_F(TagGridTest, EllipsisStartsAtTheLastFileAndRemembersTheChoice) {
  Fill({{"P", "t", ""}});
  ui_.chosen_files = {std::nullopt, "/srv/kpj/Site.kpj", std::nullopt};
  for (int i = 0; i < 3; ++i) grid_.OnEllipsis(0);
  EXPECT_EQ(tags_[0].m_strProjFile, "/srv/kpj/Site.kpj");  // the later cancel changed nothing
  ASSERT_EQ(ui_.file_dialogs.size(), 3u);
  EXPECT_EQ(ui_.file_dialogs[0].title, "Select a project file:");
  EXPECT_EQ(ui_.file_dialogs[0].initial_name, "*.kpj");
  EXPECT_EQ(ui_.file_dialogs[2].initial_dir, "/srv/kpj/");
  EXPECT_EQ(ui_.file_dialogs[2].initial_name, "Site.kpj");
  EXPECT_EQ(platform::AppProfile::GetString("citect add tag", "grid last proj file", ""),
            "/srv/kpj/Site.kpj");
}

}  // namespace
}  // namespace kz::citect
