#include <gtest/gtest.h>

#include <filesystem>

#include "citect/tag_resolver.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::citect {
namespace {

using Files = std::vector<std::pair<std::string, std::string>>;  // name, lines

// Project "Water" with these variables, a folder of station project files, and one selected
// record per expression.
class ResolveTest : public test::TempEnvTest {
 protected:
  void Setup(std::vector<test::CitectVariable> variables, const Files& files,
             const std::vector<std::string>& exprs) {
    install_.user_folder = env_.Path("citect/User");
    install_.projects = {{"Water", "", {}, std::move(variables)}};
    ASSERT_TRUE(test::WriteCitectInstall(install_));
    for (const auto& [name, text] : files) test::WriteFile(env_.Path("kpj") / name, text);
    for (const auto& expr : exprs) {
      auto& t = tags_.Add();
      t.m_strCitectProj = "Water";
      t.m_strExpr = expr;
    }
  }
  int Resolve() {
    ResolveRequest request{"Water", {}, kpj_};
    for (std::size_t i = 0; i < tags_.size(); ++i) request.tags.push_back(&tags_[i]);
    return ResolveTags(ui_, request);
  }
  // "station|project file|datalog|tag name", the folder's path shown as "$/".
  std::string Bound(std::size_t i) const {
    const CCitectTrendTag& t = tags_[i];
    std::string file = t.m_strProjFile;
    if (file.starts_with(kpj_)) file.replace(0, kpj_.size(), "$/");
    return t.m_strStaName + "|" + file + "|" + t.m_strDatalog + "|" + t.m_strTagName;
  }

  test::CitectInstall install_;
  CCitectTrendTagArray tags_;
  test::ProgressUi ui_;
  const std::string kpj_ = env_.Path("kpj").string() + "/";
};

std::string Zel(const std::vector<std::string>& names, const std::string& more = "") {
  std::string text = "[Zel Stations]\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += std::to_string(i) + "=" + names[i] + ",1,0\n";
  }
  return text + more;
}

const std::vector<std::string> kTwelve{"S01", "S02", "S03", "S04", "S05", "S06",
                                       "S07", "S08", "S09", "S10", "S11", "S12"};

struct BindingCase {
  const char* name;
  std::vector<test::CitectVariable> variables;
  Files files;
  // Expression, and the binding after the run of a record that had station "East" and file
  // "stale.kpj".
  std::vector<std::pair<std::string, std::string>> tags;
  std::string repeated;  // the warning's list of stations; empty for no warning
};

const BindingCase kBindingCases[] = {
    // Of two tags of one expression only the later is resolved; a later variable of the same name
    // replaces the earlier; a tag in several configurations of the station takes the first in
    // Quenda order, and another station's configurations are no help.
    {"ExpressionElseTheTextAfterItsFirstUnderscoreInTheFirstConfiguration",
     {{"Pump1_Flow", "North"},
      {"Pump1_Level", "North"},
      {"Flow_", "North"},
      {"X_Rate_Max", "North"},
      {"Rate", "South"},
      {"Rate", "North"}},
     {{"a.kpj", Zel({"North"},
                    "[Quenda]\n0=South,Weekly,60\n1=North,Daily,60\n2=North,H,60\n[Quenda:H]\n"
                    "0=Flow\n1=Pump1_Level\n2=Level\n3=Rate_Max\n4=Max\n[Quenda:Weekly]\n0=Rate\n"
                    "[Quenda:Daily]\n0=Flow\n")}},
     {{"Pump1_Flow", "East|stale.kpj||"},
      {"Pump1_Flow", "North|$/a.kpj|Daily|Flow"},
      {"Pump1_Level", "North|$/a.kpj|H|Pump1_Level"},
      {"Flow_", "North|$/a.kpj||"},
      {"X_Rate_Max", "North|$/a.kpj|H|Rate_Max"},
      {"Rate", "North|$/a.kpj||"}},
     ""},
    // A station in no file gets no project file, an expression that is no variable keeps the
    // station it had, an empty station name is no station.
    {"QuendaIgnoresCaseButUnitMatchesStationsExactly",
     {{"Flow", "North"}, {"Level", "EAST"}, {"Load", "East"}, {"Rate", ""}},
     {{"a.kpj",
       "[Brenmark]\n0=East,2,0\n1=,3,0\n[Plant Floor Names]\n0=North,3\n[Quenda]\n"
       "0=EAST,H,60\n1=,H,60\n[Quenda:H]\n0=Flow\n1=Level\n2=Load\n3=Rate\n4=Other\n"}},
     {{"Flow", "North|||"},
      {"Level", "EAST|||"},
      {"Load", "East|$/a.kpj|H|Load"},
      {"Other", "East|$/a.kpj|H|Other"},
      {"Rate", "|||"}},
     ""},
    // "a" sorts before "B" without case, after it by bytes; only *.kpj files count; a station
    // twice in one file, or in both its lists, is repeated too; each repeat is named once.
    {"FirstFileOfTheNameOrderWithoutCaseAndEveryRepeatOnce",
     {{"Flow", "North"}},
     {{"B.kpj", Zel({"North", "S04", "S05"})},
      {"c.KPJ", Zel({"S04"})},
      {"a.kpj", Zel({"North", "S02", "S02", "S02"},
                    "[Brenmark]\n0=North,2,0\n[Quenda]\n0=North,H,60\n[Quenda:H]\n0=Flow\n")},
      {"North.txt", Zel({"S05"})}},
     {{"Flow", "North|$/a.kpj|H|Flow"}},
     "S02\nNorth\nS04\n"},
    {"TwelveNamesListTenAndMore",
     {{"Flow", "S01"}},
     {{"a.kpj", Zel(kTwelve)}, {"b.kpj", Zel(kTwelve)}},
     {{"Flow", "S01|$/a.kpj||"}},
     "S01\nS02\nS03\nS04\nS05\nS06\nS07\nS08\nS09\nS10\nmore..."},
};

class BindingTest : public ResolveTest, public ::testing::WithParamInterface<BindingCase> {};

TEST_P(BindingTest, BindsAsTheNamingConventionSaysAndNamesRepeatedStationsOnce) {
  const BindingCase& c = GetParam();
  std::vector<std::string> exprs;
  for (const auto& t : c.tags) exprs.push_back(t.first);
  Setup(c.variables, c.files, exprs);
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    tags_[i].m_strStaName = "East";
    tags_[i].m_strProjFile = "stale.kpj";
  }
  ASSERT_EQ(Resolve(), kResolveDone);
  for (std::size_t i = 0; i < c.tags.size(); ++i) {
    EXPECT_EQ(Bound(i), c.tags[i].second) << c.tags[i].first;
  }
  std::vector<test::ScriptedUi::Box> boxes;
  if (!c.repeated.empty()) {
    boxes.push_back({"Warning:\n\nThe following station names were found in multiple files:\n\n" +
                         c.repeated + "\n\nThe first file found will be used to resolve tag names.",
                     "Warning", ui::Buttons::Ok, ui::Icon::Exclamation});
  }
  EXPECT_EQ(ui_.boxes, boxes);
}

INSTANTIATE_TEST_SUITE_P(Resolve, BindingTest, ::testing::ValuesIn(kBindingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A failed run leaves the bindings of the run before it.
TEST_F(ResolveTest, PhasesShowOnTheProgressWindowAndAMissingVariableTableChangesNothing) {
  Setup({{"Flow", "North"}}, {{"a.kpj", Zel({"North"})}}, {"Flow"});
  ASSERT_EQ(Resolve(), kResolveDone);
  const std::string t = "Resolving trend tags... | ";
  EXPECT_EQ(ui_.lines, (std::vector<std::string>{
                           t, t + "Reading variable.dbf...", t + "Finding station names...",
                           t + "Building .kpj lookup table...", t + "Sorting by station name...",
                           t + "Resolving tag names for North..."}));
  EXPECT_FALSE(ui_.progress_shown);
  std::filesystem::remove(install_.user_folder / "Water/variable.dbf");
  EXPECT_EQ(Resolve(), kResolveFailed);
  EXPECT_EQ(Bound(0), "North|$/a.kpj||");
  EXPECT_EQ(ui_.Texts(),
            std::vector<std::string>{"Unable to access the Citect variable.dbf file."});
}

// 205 variables (checks after 102 and 204, then one after the table), one check after the
// station names, three project files (one check each), 13 records (a check after 12, then one
// more) and 8 stations (a check after 7): 10 checks in a whole run.
struct CancelCase {
  int check;  // the check during which Cancel is pressed; 0 for none
  long stations, files, tagged;
  std::size_t warnings;
};

const CancelCase kCancelCases[] = {
    {1, 0, 0, 0, 0},      // reading variable.dbf, after 102 records
    {4, 13, 0, 0, 0},     // after the station names
    {5, 13, 0, 0, 1},     // after the first project file: the repeat found so far is shown
    {8, 13, 12, 0, 1},    // after 12 records sorted by station
    {10, 13, 13, 12, 1},  // after 7 of 8 stations: the last one (S8, one record) stays
    {0, 13, 13, 13, 1},   // never pressed
};

class CancelTest : public ResolveTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, StopsAtTheCheckThatSeesThePress) {
  const CancelCase& c = GetParam();
  std::vector<test::CitectVariable> variables;
  for (int i = 0; i < 205; ++i) {
    variables.push_back({"E" + std::to_string(i), "S" + std::to_string(i % 8 + 1)});
  }
  std::string quenda = "[Quenda]\n", tags = "[Quenda:Log]\n";
  for (int i = 0; i < 8; ++i)
    quenda += std::to_string(i) + "=S" + std::to_string(i + 1) + ",Log,60\n";
  std::vector<std::string> exprs;
  for (int i = 0; i < 13; ++i) {
    tags += std::to_string(i) + "=E" + std::to_string(i) + "\n";
    exprs.push_back("E" + std::to_string(i));
  }
  // S1 is listed twice, so the warning comes up once the first file is read.
  Setup(std::move(variables),
        {{"a.kpj", Zel({"S1", "S2", "S3", "S1"}, quenda + tags)},
         {"b.kpj", Zel({"S4", "S5", "S6"}, quenda + tags)},
         {"c.kpj", Zel({"S7", "S8"}, quenda + tags)}},
        exprs);
  if (c.check) ui_.PressCancelAtCheck(c.check);
  EXPECT_EQ(Resolve(), c.check ? kResolveCancelled : kResolveDone);
  EXPECT_EQ(ui_.pumps.size(), c.check ? static_cast<std::size_t>(c.check) : 10u);
  const auto count = [this](std::string CCitectTrendTag::*field) {
    long n = 0;
    for (std::size_t i = 0; i < tags_.size(); ++i) n += !(tags_[i].*field).empty();
    return n;
  };
  EXPECT_EQ(count(&CCitectTrendTag::m_strStaName), c.stations);
  EXPECT_EQ(count(&CCitectTrendTag::m_strProjFile), c.files);
  EXPECT_EQ(count(&CCitectTrendTag::m_strTagName), c.tagged);
  EXPECT_EQ(ui_.boxes.size(), c.warnings);
  EXPECT_EQ(ui_.modeless_closed, ui_.modeless_shown);
}

INSTANTIATE_TEST_SUITE_P(Resolve, CancelTest, ::testing::ValuesIn(kCancelCases),
                         [](const auto& info) {
                           return "Check" + std::to_string(info.param.check);
                         });

}  // namespace
}  // namespace kz::citect
