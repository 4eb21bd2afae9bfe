#include <gtest/gtest.h>

#include "citect/tag_verifier.h"
#include "citect/warning_list_dlg.h"
#include "platform/ascii_case.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {
namespace {

// A binding; "$" in the project file stands for the test's folder.
struct Rec {
  std::string project, trend, expr, kpj, station, datalog, tag;
};

struct VerifyCase {
  const char* name;
  std::vector<Rec> records;
  std::vector<std::string> warnings;
  std::vector<std::string> checked;  // "<kpj>/<station>/<datalog>" of each "Checking" line
};

const std::string kIncomplete = "Tag configuration incomplete: trend tag name = ";
const std::string kNoExpr = "Citect trend tag `Expression` field not complete: trend tag name = ";

const VerifyCase kCases[] = {
    {"AllButTheExpressionIsIncompleteAndNotLookedUp",
     {{"Water", "Flow", "", "$/Plant.kpj", "North", "Hourly", "Nope"}},
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
     {{"Water", "Flow", "e", "$/Plant.kpj", "North", "Hourly", "Flow"},
      {"WATER", "Flow", "e", "$/Plant.kpj", "North", "Hourly", "Flow"},
      {"water", "Flow", "e", "$/Plant.kpj", "North", "Hourly", "Flow"},
      {"Water", "flow", "e", "$/Plant.kpj", "North", "Hourly", "Flow"}},
     {"Duplicate trend tags found: trend tag name = Flow, Citect project = WATER."},
     {"$/plant.kpj/north/hourly"}},
    {"NotFoundGroupedByDatalogWithCaseAfterTheRecordWarningsAMissingFileLacksAll",
     {{"W", "A", "e", "$/Plant.kpj", "North", "Hourly", "Total"},
      {"W", "B", "", "", "", "", ""},
      {"W", "C", "e", "$/Plant.kpj", "South", "HOURLY", "Total"},
      {"W", "D", "e", "$/PLANT.kpj", "north", "hourly", "flow"},
      {"W", "E", "e", "$/No/Such.kpj", "N", "D", "Flow"}},
     {kIncomplete + "B, Citect project = W.", kNoExpr + "B, Citect project = W.",
      "Tag <Total> not found in project file = $/Plant.kpj, station = North, datalog = Hourly.",
      "Tag <flow> not found in project file = $/Plant.kpj, station = North, datalog = Hourly.",
      "Tag <Total> not found in project file = $/Plant.kpj, station = South, datalog = HOURLY.",
      "Tag <Flow> not found in project file = $/No/Such.kpj, station = N, datalog = D."},
     {"$/plant.kpj/north/hourly", "$/plant.kpj/south/hourly", "$/no/such.kpj/n/d"}},
    // Of names differing only in case the one in lower case is taken, else the first sorted.
    {"FilesAndFoldersAreFoundWithoutCase",
     {{"W", "A", "e", "$/SITES/PLANT.KPJ", "North", "Daily", "Total"},
      {"W", "B", "e", "$/Lower/PLANT.KPJ", "North", "Daily", "Total"},
      {"W", "C", "e", "$/Sorted/plant.kpj", "North", "Daily", "Total"}},
     {},
     {"$/sites/plant.kpj/north/daily", "$/lower/plant.kpj/north/daily",
      "$/sorted/plant.kpj/north/daily"}},
};

std::string Expand(std::string text, const std::string& root) {
  if (const auto at = text.find('$'); at != std::string::npos) text.replace(at, 1, root);
  return text;
}

class TagVerifierTest : public test::TempEnvTest, public ::testing::WithParamInterface<VerifyCase> {
 protected:
  void SetUp() override {
    test::KpjProject plant;
    plant.stations = {{"North", test::KpjStationList::kZel, 1, {"Hourly", "Daily"}},
                      {"South", test::KpjStationList::kBrenmark, 2, {"Hourly"}}};
    plant.datalogs = {{"Hourly", {}, {"Flow", "Level"}}, {"Daily", {}, {"Total"}}};
    const test::KpjProject empty;
    using File = std::pair<const char*, const test::KpjProject*>;
    for (const auto& [name, project] : {File{"Plant.kpj", &plant},
                                        {"Sites/Plant.kpj", &plant},
                                        {"Lower/PLANT.KPJ", &empty},
                                        {"Lower/plant.kpj", &plant},
                                        {"Sorted/Plant.kpj", &plant},
                                        {"Sorted/plant.KPJ", &empty}}) {
      ASSERT_TRUE(test::WriteKpjProject(env_.Path(name), *project));
    }
  }
};

TEST_P(TagVerifierTest, WarnsInOrderAndAnnouncesEachDatalog) {
  const VerifyCase& c = GetParam();
  const std::string root = env_.root().string();
  CCitectTrendTagArray tags;
  for (const Rec& r : c.records) {
    tags.Add() = {r.tag, r.datalog, r.station, Expand(r.kpj, root), r.trend, r.project, r.expr};
  }
  test::ScriptedUi ui;
  projfiles::CCitectDataMgr data(ui);
  std::vector<std::string> status;
  const auto warnings = VerifyTags(tags, data, [&](auto line) { status.emplace_back(line); });

  std::vector<std::string> want_warnings,
      want_status{std::string(kBuildingLookup), std::string(kReadingProjectFiles),
                  std::string(kCheckingTagNames)};
  for (const auto& w : c.warnings) want_warnings.push_back(Expand(w, root));
  for (const auto& key : c.checked) {
    want_status.push_back("Checking " + Expand(key, platform::AsciiLower(root)) + "...");
  }
  EXPECT_EQ(warnings, want_warnings);
  EXPECT_EQ(status, want_status);
  EXPECT_TRUE(ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TagVerifierTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WarningListTextTest, WarningsEachOnALineThenABlankLineAndTheCount) {
  EXPECT_EQ(WarningListText({"First.", "Second."}), "First.\r\nSecond.\r\n\r\n2 warning(s) found.");
}

}  // namespace
}  // namespace kz::citect
