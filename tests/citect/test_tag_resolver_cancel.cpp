// The cancel checks of tag resolution: where they fall and what a press of Cancel leaves.
#include <gtest/gtest.h>

#include <algorithm>

#include "resolve_fixture.h"

namespace kz::citect {
namespace {

// 205 variables (checks after 102 and 204, then one after the table), one check after the
// station names, three project files (one check each), 13 records (a check after 12, then one
// more) and 8 stations (a check after 7): 10 checks in a whole run.
class CancelTest : public ResolveTest {
 protected:
  void SetUp() override {
    ResolveTest::SetUp();
    std::vector<test::CitectVariable> variables;
    for (int i = 0; i < 205; ++i) {
      variables.push_back({"E" + std::to_string(i), "S" + std::to_string(i % 8 + 1)});
    }
    Install(std::move(variables));
    std::string tags = "[Quenda:Log]\n";
    for (int i = 0; i < 13; ++i) tags += std::to_string(i) + "=E" + std::to_string(i) + "\n";
    // S1 is listed twice, so the warning comes up once the first file is read.
    Kpj("a.kpj", File({"S1", "S2", "S3", "S1"}) + tags);
    Kpj("b.kpj", File({"S4", "S5", "S6"}) + tags);
    Kpj("c.kpj", File({"S7", "S8"}) + tags);
    for (int i = 0; i < 13; ++i) Tag("E" + std::to_string(i));
  }
  static std::string File(const std::vector<std::string>& stations) {
    std::string zel = "[Zel Stations]\n", quenda = "[Quenda]\n";
    for (std::size_t i = 0; i < stations.size(); ++i) {
      zel += std::to_string(i) + "=" + stations[i] + ",1,0\n";
      quenda += std::to_string(i) + "=" + stations[i] + ",Log,60\n";
    }
    return zel + quenda;
  }
  long Count(std::string CCitectTrendTag::*field) {
    long n = 0;
    for (std::size_t i = 0; i < tags_.size(); ++i) n += !(tags_[i].*field).empty();
    return n;
  }
};

struct CancelCase {
  int check;  // the check during which Cancel is pressed; 0 for none
  long stations, files, tagged;
  std::size_t warnings;
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << "check " << c.check; }

const CancelCase kCancelCases[] = {
    {1, 0, 0, 0, 0},     // reading variable.dbf, after 102 records
    {3, 0, 0, 0, 0},     // after the table is read
    {4, 13, 0, 0, 0},    // after the station names
    {5, 13, 0, 0, 1},    // after the first project file: the repeat found so far is shown
    {8, 13, 12, 0, 1},   // after 12 records sorted by station
    {9, 13, 13, 0, 1},   // after the sorting
    {10, 13, 13, 12, 1}, // after 7 of 8 stations: the last one (S8, one record) stays
    {0, 13, 13, 13, 1},  // never pressed
};

class CancelCheckTest : public CancelTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelCheckTest, StopsAtTheCheckThatSeesThePress) {
  const CancelCase& c = GetParam();
  if (c.check) ui_.PressCancelAtCheck(c.check);
  EXPECT_EQ(Resolve(), c.check ? kResolveCancelled : kResolveDone);
  EXPECT_EQ(ui_.pumps.size(), c.check ? static_cast<std::size_t>(c.check) : 10u);
  EXPECT_TRUE(std::all_of(ui_.pumps.begin(), ui_.pumps.end(),
                          [](auto d) { return d == projfiles::CCancelDlg::kCheckDuration; }));
  EXPECT_EQ(Count(&CCitectTrendTag::m_strStaName), c.stations);
  EXPECT_EQ(Count(&CCitectTrendTag::m_strProjFile), c.files);
  EXPECT_EQ(Count(&CCitectTrendTag::m_strTagName), c.tagged);
  EXPECT_EQ(ui_.boxes.size(), c.warnings);
  EXPECT_EQ(ui_.events.back(), "hide");
}

INSTANTIATE_TEST_SUITE_P(Resolve, CancelCheckTest, ::testing::ValuesIn(kCancelCases),
                         [](const auto& info) {
                           return "Check" + std::to_string(info.param.check);
                         });

// Counts that tell an interval from its neighbours: 10302 = 102 * 101 variables, 132 = 12 * 11
// records and 42 = 7 * 6 stations give 101, 11 and 6 checks, one more or fewer for an interval
// one smaller or larger.
TEST_F(ResolveTest, ChecksFallAfterEvery102Variables12RecordsAnd7Stations) {
  Install({});
  ASSERT_TRUE(test::WriteVariableTable(
      install_.user_folder / "Water" / "variable.dbf", 10302, [](std::size_t i) {
        return test::CitectVariable{"V" + std::to_string(i), "North"};
      }));
  for (const char* name : {"a.kpj", "b.kpj", "c.kpj"}) Kpj(name, "[Zel Stations]\n0=North,1,0\n");
  for (int i = 0; i < 132; ++i) Tag("R" + std::to_string(i), "G" + std::to_string(i % 42));
  ASSERT_EQ(Resolve(), kResolveDone);
  // variables 101 + 1, station names 1, files 3, records 11 + 1, stations 6
  EXPECT_EQ(ui_.pumps.size(), 124u);
}

}  // namespace
}  // namespace kz::citect
