#include <gtest/gtest.h>

#include <filesystem>

#include "resolve_fixture.h"

namespace kz::citect {
namespace {

struct TagCase {
  std::string expr;
  std::string station;  // before the run
  Bound bound;          // after it; a file name stands for its path in the folder
};

struct BindingCase {
  const char* name;
  std::vector<test::CitectVariable> variables;
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<TagCase> tags;
};

void PrintTo(const BindingCase& c, std::ostream* os) { *os << c.name; }

const BindingCase kBindingCases[] = {
    {"ExpressionElseTheTextAfterItsFirstUnderscore",
     {{"Pump1_Flow", "North"}, {"Pump1_Level", "North"}, {"Flow_", "North"},
      {"Pump2_Rate", "North"}, {"X_Rate_Max", "North"}},
     {{"a.kpj",
       "[Zel Stations]\n0=North,1,0\n[Quenda]\n0=North,Hourly,60\n"
       "[Quenda:Hourly]\n0=Flow\n1=Pump1_Level\n2=Level\n3=Rate_Max\n4=Max\n"}},
     {{"Pump1_Flow", "", {"North", "a.kpj", "Hourly", "Flow"}},
      {"Pump1_Level", "", {"North", "a.kpj", "Hourly", "Pump1_Level"}},
      {"Flow_", "", {"North", "a.kpj", "", ""}},
      {"Pump2_Rate", "", {"North", "a.kpj", "", ""}},
      {"X_Rate_Max", "", {"North", "a.kpj", "Hourly", "Rate_Max"}}}},
    {"FirstConfigurationOfTheStationInQuendaOrder",
     // A later variable of the same name replaces the earlier.
     {{"Flow", "South"}, {"Flow", "North"}, {"Level", "North"}, {"Rate", "North"}},
     {{"b.kpj",
       "[Zel Stations]\n0=North,1,0\n[Quenda]\n0=South,Weekly,60\n1=North,Daily,60\n"
       "2=North,Hourly,60\n[Quenda:Hourly]\n0=Flow\n[Quenda:Weekly]\n0=Rate\n"
       "[Quenda:Daily]\n0=Level\n1=Flow\n"}},
     {{"Flow", "", {"North", "b.kpj", "Daily", "Flow"}},
      {"Level", "", {"North", "b.kpj", "Daily", "Level"}},
      {"Rate", "", {"North", "b.kpj", "", ""}}}},
    {"QuendaIgnoresCaseButUnitMatchesStationsExactly",
     {{"Flow", "North"}, {"Level", "EAST"}, {"Rate", "West"}, {"Load", "East"}},
     {{"c.kpj",
       "[Zel Stations]\n0=North,1,0\n[Brenmark]\n0=East,2,0\n[Plant Floor Names]\n0=West,3\n"
       "[Quenda]\n0=NORTH,Hourly,60\n1=East,Hourly,60\n2=West,Hourly,60\n"
       "[Quenda:Hourly]\n0=Flow\n1=Level\n2=Rate\n3=Load\n"}},
     {{"Flow", "", {"North", "c.kpj", "Hourly", "Flow"}},
      {"Level", "", {"EAST", "", "", ""}},
      {"Rate", "", {"West", "", "", ""}},  // listed only in "Plant Floor Names"
      {"Load", "", {"East", "c.kpj", "Hourly", "Load"}}}},
    {"ExpressionThatIsNoVariableKeepsItsStationName",
     {{"Other", "North"}},
     {{"d.kpj",
       "[Zel Stations]\n0=North,1,0\n1=,2,0\n[Quenda]\n0=North,Hourly,60\n1=,Spare,60\n"
       "[Quenda:Hourly]\n0=Flow\n[Quenda:Spare]\n0=Level\n"}},
     {{"Flow", "North", {"North", "d.kpj", "Hourly", "Flow"}},
      // An empty name in a station list or in "Quenda" is no station.
      {"Level", "", {"", "", "", ""}}}},
    {"StationInNoFileGetsAnEmptyProjectFile",
     {{"Flow", "Nowhere"}},
     {{"e.kpj", "[Zel Stations]\n0=North,1,0\n[Quenda]\n0=North,Hourly,60\n"}},
     {{"Flow", "", {"Nowhere", "", "", ""}}}},
};

class BindingTest : public ResolveTest, public ::testing::WithParamInterface<BindingCase> {};

TEST_P(BindingTest, BindsAsTheNamingConventionSays) {
  const BindingCase& c = GetParam();
  Install(c.variables);
  for (const auto& [name, text] : c.files) Kpj(name, text);
  for (const auto& t : c.tags) {
    auto& tag = Tag(t.expr, t.station);
    tag.m_strProjFile = "stale.kpj";  // replaced by the run, even when with nothing
  }
  ASSERT_EQ(Resolve(), kResolveDone);
  EXPECT_TRUE(ui_.boxes.empty());
  for (std::size_t i = 0; i < c.tags.size(); ++i) {
    Bound want = c.tags[i].bound;
    if (!want.file.empty()) want.file = KpjPath(want.file);
    EXPECT_EQ(BoundOf(tags_[i]), want) << c.tags[i].expr;
  }
}

INSTANTIATE_TEST_SUITE_P(Resolve, BindingTest, ::testing::ValuesIn(kBindingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResolveTest, OfTwoTagsWithOneExpressionOnlyTheLaterIsResolved) {
  Install({{"Flow", "North"}});
  Kpj("a.kpj", "[Zel Stations]\n0=North,1,0\n[Quenda]\n0=North,Hourly,60\n"
               "[Quenda:Hourly]\n0=Flow\n");
  Tag("Flow");
  Tag("Flow");
  ASSERT_EQ(Resolve(), kResolveDone);
  EXPECT_EQ(BoundOf(tags_[0]), (Bound{}));
  EXPECT_EQ(BoundOf(tags_[1]), (Bound{"North", KpjPath("a.kpj"), "Hourly", "Flow"}));
}

struct RepeatCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;
  std::string bound_file;  // of a tag of station S01
  std::string listed;      // the warning's list; empty for no warning
};

std::string Zel(const std::vector<std::string>& names) {
  std::string text = "[Zel Stations]\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += std::to_string(i) + "=" + names[i] + ",1,0\n";
  }
  return text;
}

std::vector<std::string> Stations(int n) {
  std::vector<std::string> names;
  for (int i = 1; i <= n; ++i) names.push_back((i < 10 ? "S0" : "S") + std::to_string(i));
  return names;
}

void PrintTo(const RepeatCase& c, std::ostream* os) { *os << c.name; }

const RepeatCase kRepeatCases[] = {
    // "a" sorts before "B" without case, after it by bytes.
    {"FirstFileOfTheNameOrderWithoutCase",
     {{"B.kpj", Zel({"S01"})}, {"c.KPJ", Zel({"S01", "S02"})}, {"a.kpj", Zel({"S01"})},
      {"S01.txt", Zel({"S01"})}},
     "a.kpj",
     "S01\n"},
    {"StationTwiceInOneFile", {{"x.kpj", Zel({"S01", "S02", "S01", "S01"})}}, "x.kpj", "S01\n"},
    {"StationInZelAndBrenmarkOfOneFile",
     {{"x.kpj", Zel({"S02", "S01"}) + "[Brenmark]\n0=S01,2,0\n"}},
     "x.kpj",
     "S01\n"},
    {"TwelveNamesListTenAndMore",
     {{"a.kpj", Zel(Stations(12))}, {"b.kpj", Zel(Stations(12))}},
     "a.kpj",
     "S01\nS02\nS03\nS04\nS05\nS06\nS07\nS08\nS09\nS10\nmore..."},
    {"NoRepeatNoWarning", {{"a.kpj", Zel({"S01"})}, {"b.kpj", Zel({"S02"})}}, "a.kpj", ""},
};

class RepeatTest : public ResolveTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatTest, FirstFileWinsAndRepeatsAreNamedOnce) {
  const RepeatCase& c = GetParam();
  Install({{"Flow", "S01"}});
  for (const auto& [name, text] : c.files) Kpj(name, text);
  std::filesystem::create_directories(env_.Path("kpj/0.kpj"));  // a folder is no project file
  Tag("Flow");
  ASSERT_EQ(Resolve(), kResolveDone);
  EXPECT_EQ(tags_[0].m_strProjFile, KpjPath(c.bound_file));
  if (c.listed.empty()) {
    EXPECT_TRUE(ui_.boxes.empty());
    return;
  }
  const test::ScriptedUi::Box warning{
      "Warning:\n\nThe following station names were found in multiple files:\n\n" + c.listed +
          "\n\nThe first file found will be used to resolve tag names.",
      "Warning", ui::Buttons::Ok, ui::Icon::Exclamation};
  EXPECT_EQ(ui_.boxes, std::vector{warning});
}

INSTANTIATE_TEST_SUITE_P(Resolve, RepeatTest, ::testing::ValuesIn(kRepeatCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResolveTest, PhasesShowOnTheProgressWindowWhichHidesForTheWarning) {
  Install({{"Flow", "North"}});
  Kpj("a.kpj", Zel({"North", "North"}) + "[Quenda]\n0=North,Hourly,60\n");
  Tag("Flow");
  ASSERT_EQ(Resolve(), kResolveDone);
  EXPECT_EQ(ui_.events, (std::vector<std::string>{
                            "show", "owner:off", "line2:Reading variable.dbf...",
                            "line2:Finding station names...",
                            "line2:Building .kpj lookup table...", "hide", "box:Warning", "show",
                            "line2:Sorting by station name...",
                            "line2:Resolving tag names for North...", "owner:on", "hide"}));
}

struct FailureCase {
  const char* name;
  bool install;
  bool variable_table;
  std::vector<std::string> texts;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase kFailureCases[] = {
    {"NoUserFolderChangesNothingSilently", false, false, {}},
    {"MissingVariableTableIsReported", true, false,
     {"Unable to access the Citect variable.dbf file."}},
};

class FailureTest : public ResolveTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, FailsWithNoRecordChanged) {
  const FailureCase& c = GetParam();
  if (c.install) Install({{"Flow", "North"}});
  if (!c.variable_table) std::filesystem::remove(install_.user_folder / "Water" / "variable.dbf");
  Kpj("a.kpj", Zel({"North"}) + "[Quenda]\n0=North,Hourly,60\n[Quenda:Hourly]\n0=Flow\n");
  Tag("Flow", "Before").m_strProjFile = "before.kpj";
  EXPECT_EQ(Resolve(), kResolveFailed);
  EXPECT_EQ(BoundOf(tags_[0]), (Bound{"Before", "before.kpj", "", ""}));
  EXPECT_EQ(ui_.Texts(), c.texts);
  for (const auto& box : ui_.boxes) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, ui::Icon::Exclamation);
  }
  // The window closes and the wizard is enabled again after a failure too.
  EXPECT_EQ(ui_.events.back(), "hide");
  EXPECT_EQ(ui_.events[ui_.events.size() - 2], "owner:on");
}

INSTANTIATE_TEST_SUITE_P(Resolve, FailureTest, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kz::citect
