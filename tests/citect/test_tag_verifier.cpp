#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "citect/tag_verifier.h"
#include "citect/warning_list_dlg.h"
#include "platform/ascii_case.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {
namespace {

using platform::AsciiLower;

// A binding; "$KPJ" in the project file stands for the test's station project file.
struct Rec {
  std::string project, trend, expr, kpj, station, datalog, tag;
};

struct VerifyCase {
  const char* name;
  std::vector<Rec> records;
  std::vector<std::string> warnings;
  // The "Checking ..." lines, each as "<kpj>/<station>/<datalog>" with "$KPJ" lower-cased.
  std::vector<std::string> checked;
};

const std::string kIncomplete = "Tag configuration incomplete: trend tag name = ";
const std::string kNoExpr = "Citect trend tag `Expression` field not complete: trend tag name = ";

const VerifyCase kCases[] = {
    {"EmptyListHasNoWarnings", {}, {}, {}},
    {"AllButTheExpressionIsIncompleteAndNotLookedUp",
     {{"Water", "Flow", "", "/no/such.kpj", "North", "Hourly", "Nope"}},
     {kIncomplete + "Flow, Citect project = Water.", kNoExpr + "Flow, Citect project = Water."},
     {}},
    {"EmptyTrendTagOrProjectTakesNoPartInDuplicates",
     {{"P", "", "e", "", "", "", ""},
      {"P", "", "e", "", "", "", ""},
      {"", "T", "e", "", "", "", ""},
      {"", "T", "e", "", "", "", ""}},
     {kIncomplete + ", Citect project = P.", kIncomplete + ", Citect project = P.",
      kIncomplete + "T, Citect project = .", kIncomplete + "T, Citect project = ."},
     {}},
    {"ProjectsDifferingInCaseGiveOneDuplicateAtTheSecond",
     {{"Water", "Flow", "e", "$KPJ", "North", "Hourly", "Flow"},
      {"WATER", "Flow", "e", "$KPJ", "North", "Hourly", "Flow"},
      {"water", "Flow", "e", "$KPJ", "North", "Hourly", "Flow"},
      {"Water", "flow", "e", "$KPJ", "North", "Hourly", "Flow"}},
     {"Duplicate trend tags found: trend tag name = Flow, Citect project = WATER."},
     {"$KPJ/north/hourly"}},
    {"StationsFormGroupsTestedAgainstTheSameNames",
     {{"W", "A", "e", "$KPJ", "North", "Hourly", "Flow"},
      {"W", "B", "e", "$KPJ", "South", "HOURLY", "Total"},
      {"W", "C", "e", "$KPJ", "north", "hourly", "Level"}},
     {"Tag <Total> not found in project file = $KPJ, station = South, datalog = HOURLY."},
     {"$KPJ/north/hourly", "$KPJ/south/hourly"}},
    {"MissingProjectFileLacksEveryNameOfTheGroup",
     {{"W", "A", "e", "/no/Such.kpj", "N", "D", "Flow"},
      {"W", "B", "e", "/no/such.kpj", "n", "d", "Flow"}},
     {"Tag <Flow> not found in project file = /no/Such.kpj, station = N, datalog = D.",
      "Tag <Flow> not found in project file = /no/Such.kpj, station = N, datalog = D."},
     {"/no/such.kpj/n/d"}},
    {"TagNamesCompareWithCaseAndComeAfterRecordWarnings",
     {{"W", "A", "e", "$KPJ", "North", "Daily", "total"}, {"W", "B", "", "", "", "", ""}},
     {kIncomplete + "B, Citect project = W.", kNoExpr + "B, Citect project = W.",
      "Tag <total> not found in project file = $KPJ, station = North, datalog = Daily."},
     {"$KPJ/north/daily"}},
};

void PrintTo(const VerifyCase& c, std::ostream* os) {
  *os << c.name;
}

std::string Expand(std::string text, const std::string& kpj) {
  for (std::size_t at; (at = text.find("$KPJ")) != std::string::npos;) text.replace(at, 4, kpj);
  return text;
}

class TagVerifierTest : public test::TempEnvTest, public ::testing::WithParamInterface<VerifyCase> {
 protected:
  void SetUp() override {
    test::KpjProject project;
    project.stations = {{"North", test::KpjStationList::kZel, 1, {"Hourly", "Daily"}},
                        {"South", test::KpjStationList::kBrenmark, 2, {"Hourly"}}};
    project.datalogs = {{"Hourly", {}, {"Flow", "Level"}}, {"Daily", {}, {"Total"}}};
    ASSERT_TRUE(test::WriteKpjProject(kpj_, project));
  }

  test::ScriptedUi ui_;
  std::string kpj_ = env_.Path("Sites/Plant.kpj").string();
};

TEST_P(TagVerifierTest, WarnsInOrderAndAnnouncesEachDatalog) {
  const VerifyCase& c = GetParam();
  CCitectTrendTagArray tags;
  for (const Rec& r : c.records) {
    CCitectTrendTag& t = tags.Add();
    t.m_strCitectProj = r.project;
    t.m_strTrendVar = r.trend;
    t.m_strExpr = r.expr;
    t.m_strProjFile = Expand(r.kpj, kpj_);
    t.m_strStaName = r.station;
    t.m_strDatalog = r.datalog;
    t.m_strTagName = r.tag;
  }
  projfiles::CCitectDataMgr data(ui_);
  std::vector<std::string> status;
  const auto warnings =
      VerifyTags(tags, data, [&](std::string_view line) { status.emplace_back(line); });

  std::vector<std::string> expected_warnings;
  for (const auto& w : c.warnings) expected_warnings.push_back(Expand(w, kpj_));
  EXPECT_EQ(warnings, expected_warnings);
  std::vector<std::string> expected_status{std::string(kBuildingLookup),
                                           std::string(kReadingProjectFiles),
                                           std::string(kCheckingTagNames)};
  for (const auto& key : c.checked) {
    expected_status.push_back("Checking " + Expand(key, AsciiLower(kpj_)) + "...");
  }
  EXPECT_EQ(status, expected_status);
  EXPECT_TRUE(ui_.boxes.empty());
  // Verification changes no record.
  ASSERT_EQ(tags.size(), c.records.size());
  for (std::size_t i = 0; i < tags.size(); ++i) EXPECT_EQ(tags[i].m_strTagName, c.records[i].tag);
}

INSTANTIATE_TEST_SUITE_P(Cases, TagVerifierTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WarningListTextTest, WarningsEachOnALineThenABlankLineAndTheCount) {
  EXPECT_EQ(WarningListText({"First.", "Second."}), "First.\r\nSecond.\r\n\r\n2 warning(s) found.");
  EXPECT_EQ(WarningListText({"One."}, "\n"), "One.\n\n1 warning(s) found.");
  CWarningListDlg dlg({"A."});
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.m_strText, "A.\r\n\r\n1 warning(s) found.");
}

}  // namespace
}  // namespace kz::citect
