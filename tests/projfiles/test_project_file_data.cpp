#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <tuple>

#include "projfiles/project_file_data.h"
#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz::projfiles {
namespace {

using Names = std::vector<std::string>;

Names Stations(const CProjectFileData& p) {
  Names names{"stale"};
  p.GetStationNames(names);
  return names;
}

Names Datalogs(const CProjectFileData& p, std::string_view station) {
  Names names{"stale"};
  p.GetDatalogNames(station, names);
  return names;
}

Names Transfers(const CProjectFileData& p, std::string_view station, std::string_view datalog) {
  Names names{"stale"};
  p.GetTransferNames(station, datalog, names);
  return names;
}

CProjectFileData Loaded(std::string_view text) {
  CProjectFileData p;
  p.LoadBytes(text);
  return p;
}

struct NumberCase {
  const char* what;
  std::string text;  // the file after its "Quenda" line for S
  std::int32_t number;
};

TEST(ProjectFileData, StationNumberComesFromTheListsInTheirOrder) {
  // Quenda comes first: the lists give their numbers wherever they stand in the file.
  const NumberCase cases[] = {
      {"in no list", "", -1},
      {"plant floor", "[Plant Floor Names]\n0=S,12\n", 12},
      {"plant floor, runs of commas", "[Plant Floor Names]\n0=,S,,,12,x\n", 12},
      {"plant floor, digits then text", "[Plant Floor Names]\n0=S, -7kW\n", -7},
      {"plant floor, name differs in case", "[Plant Floor Names]\n0=s,12\n", -1},
      {"brenmark", "[Brenmark]\n0=S,2\n[Brenmark: S]\nStaNum=7\n", 7},
      {"brenmark, names without case", "[BRENMARK]\n0=S,2\n[brenmark: s]\nstanum=7\n", 7},
      {"brenmark, no StaNum", "[Plant Floor Names]\n0=S,12\n[Brenmark]\n0=S,2\n", 0},
      {"brenmark, no comma gives no name", "[Brenmark]\n0=S\n[Brenmark: S]\nStaNum=7\n", -1},
      {"zel, no StaNum keeps plant floor", "[Plant Floor Names]\n0=S,12\n[Zel Stations]\n0=S,1\n",
       12},
      {"zel after brenmark whatever the file order",
       "[Zel Stations]\n0=S,1\n[Zel: S]\nStaNum=9\n[Brenmark]\n0=S,2\n[Brenmark: S]\nStaNum=7\n",
       9},
      {"later entry of a list wins", "[Plant Floor Names]\n0=S,1\n1=S,2\n", 2},
  };
  for (const auto& c : cases) {
    const auto p = Loaded("[Quenda]\n0=S,Hourly\n" + c.text);
    EXPECT_EQ(p.GetStationNumber("S"), c.number) << c.what;
    ASSERT_EQ(p.m_stations.size(), 1u) << c.what;
    EXPECT_EQ(p.m_stations[0]->m_nStationNumber, c.number) << c.what;
  }
}

struct QuendaCase {
  const char* value;
  Names stations;
  Names datalogs;  // of the first station
};

TEST(ProjectFileData, QuendaValuesSplitAtCommasDroppingEmptyFields) {
  const QuendaCase cases[] = {
      {"S,,CFG1", {"S"}, {"CFG1"}},
      {",S,CFG1,60", {"S"}, {"CFG1"}},
      {"S", {"S"}, {}},
      {",,,", {}, {}},
      {"S, CFG1", {"S"}, {" CFG1"}},  // blanks are part of the name
  };
  for (const auto& c : cases) {
    const auto p = Loaded(std::string("[Quenda]\n0=") + c.value + "\n");
    EXPECT_EQ(Stations(p), c.stations) << c.value;
    if (!c.stations.empty()) {
      EXPECT_EQ(Datalogs(p, c.stations[0]), c.datalogs) << c.value;
    }
  }
}

TEST(ProjectFileData, StationsInFirstAppearanceOrderWithExactCaseNames) {
  const auto p = Loaded(
      "[quenda]\n0=North,Hourly\n1=South,Daily\n2=NORTH,Daily\n3=North,Daily\n"
      "[Client Transfers: HOURLY]\n0=x,\n");
  EXPECT_EQ(Stations(p), (Names{"North", "South", "NORTH"}));
  EXPECT_EQ(Datalogs(p, "North"), (Names{"Daily", "Hourly"}));
  EXPECT_EQ(Datalogs(p, "NORTH"), Names{"Daily"});
  EXPECT_EQ(Datalogs(p, "north"), Names{});
  EXPECT_EQ(Transfers(p, "North", "Hourly"), Names{"x"});
  EXPECT_EQ(Transfers(p, "North", "hourly"), Names{});
}

TEST(ProjectFileData, ListsEndAtTheFirstMissingOrEmptyKey) {
  const auto p = Loaded(
      "[Quenda]\n0=A,C\n1=B,C\n3=Gap,C\n[Client Transfers: C]\n0=`T0`,\n1=`T1`,\n2=\n3=`T3`,\n");
  EXPECT_EQ(Stations(p), (Names{"A", "B"}));
  EXPECT_EQ(Transfers(p, "A", "C"), (Names{"T0", "T1"}));
}

struct XferCase {
  const char* name_line;
  const char* detail_line;
  std::string name;
  std::optional<std::int32_t> type;
  std::int32_t id;
};

TEST(ClientXferData, NameLineAndDetailFields) {
  const XferCase cases[] = {
      {"`Hourly`,1,0", "1,0,15,3,30,0,0,1,0,0,0,129,7,", "Hourly", 129, 7},
      {"A`B`C,x", "", "ABC", std::nullopt, -1},
      {"Hourly", "", "", std::nullopt, -1},
      {"", "0,0,0,0,0,0,0,0,0,0,0,129,7,", "", std::nullopt, -1},  // no name line: nothing read
      {"T,", "0,0,0,0,0,0,0,0,0,0,0,129,", "T", 129, -1},          // twelve fields
      {"T,", "0,0,0,0,0,0,0,0,0,0,0,129,7", "T", 129, -1},         // last field unclosed
      {"T,", "0,0,0,0,0,0,0,0,0,0,129,", "T", std::nullopt, -1},   // eleven fields
      {"T,", ",,,,,,,,,,,0,3,", "T", 0, 3},                        // empty fields count
      {"T,", ",,,,,,,,,,, 1 ,-99999999999,", "T", 1, INT_MIN},
  };
  for (const auto& c : cases) {
    CClientXferData x;
    x.Parse(c.name_line, c.detail_line);
    SCOPED_TRACE(testing::Message() << c.name_line << " / " << c.detail_line);
    EXPECT_EQ(std::tie(x.m_strName, x.m_nLogIDType, x.m_nLogID), std::tie(c.name, c.type, c.id));
  }
}

TEST(ProjectFileData, TransfersInFileOrderAndAppendedAgainForARepeatedLine) {
  const auto p = Loaded(
      "[Quenda]\n0=S,C\n1=S,C\n[Client Transfers: C]\n"
      "0=`B`,\n0a=,,,,,,,,,,,129,1,\n1=`A`,\n1a=,,,,,,,,,,,129,2,\n");
  EXPECT_EQ(Transfers(p, "S", "C"), (Names{"B", "A", "B", "A"}));
  const CClientXferData* last = p.GetTransfer("S", "C", "B");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last, &p.m_stations[0]->m_datalogs.at("C")[2]);
  EXPECT_EQ(last->m_nLogID, 1);
  EXPECT_EQ(p.GetTransfer("S", "C", "b"), nullptr);
  EXPECT_EQ(p.GetTransfer("S", "D", "B"), nullptr);
  EXPECT_EQ(p.GetTransfer("T", "C", "B"), nullptr);
}

TEST(ProjectFileData, StationLogIdTypeCarriesEachStationsNumber) {
  const auto p = Loaded(
      "[Plant Floor Names]\n0=A,5\n[Quenda]\n0=A,C\n1=B,C\n[client transfers: c]\n"
      "0=`Sta`,\n0A=,,,,,,,,,,,128,77,\n1=`Fixed`,\n1a=,,,,,,,,,,,129,77,\n2=`Unread`,\n");
  EXPECT_EQ(p.GetTransfer("A", "C", "Sta")->m_nLogID, 5);
  EXPECT_EQ(p.GetTransfer("B", "C", "Sta")->m_nLogID, -1);
  EXPECT_EQ(p.GetTransfer("A", "C", "Fixed")->m_nLogID, 77);
  EXPECT_EQ(p.GetTransfer("A", "C", "Unread")->m_nLogIDType, std::nullopt);
  EXPECT_EQ(p.GetTransfer("A", "C", "Unread")->m_nLogID, -1);
}

TEST(ProjectFileData, FewTransfersCopiedIntoManyStationsStayWithinTheBudget) {
  std::string text = "[Client Transfers: C]\n";
  for (int i = 0; i < 2000; ++i) text += std::to_string(i) + "=T,\n";
  text += "[Quenda]\n";
  for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "=S" + std::to_string(i) + ",C\n";
  const auto p = Loaded(text);
  EXPECT_TRUE(p.TransfersCut());
  ASSERT_EQ(p.m_stations.size(), 20000u);  // stations and configurations are all there
  std::size_t copies = 0;
  for (const auto& s : p.m_stations) copies += s->m_datalogs.at("C").size();
  EXPECT_LT(copies, 1'000'000u);  // of the 40 million the lines name
  EXPECT_GT(copies, 100'000u);
  EXPECT_FALSE(Loaded("[Quenda]\n0=S,C\n[Client Transfers: C]\n0=T,\n").TransfersCut());
}

class ProjectFileTest : public test::TempEnvTest {};

// Paths are found without case; a second load, of another file or none, replaces everything.
TEST_F(ProjectFileTest, PathIsFoundWithoutCaseAndASecondLoadReplacesEverything) {
  test::WriteFile(env_.Path("Projects/Site.kpj"),
                  "[Brenmark]\n0=North,1\n[Brenmark: North]\nStaNum=7\n[Quenda]\n0=North,Hourly\n"
                  "[Client Transfers: Hourly]\n0=`To SCADA`,\n0a=,,,,,,,,,,,128,0,\n");
  test::WriteFile(env_.Path("Projects/Other.kpj"),
                  "[Plant Floor Names]\n0=South,9\n[Quenda]\n0=South,Daily\n");
  CProjectFileData p;
  p.Load(env_.Path("PROJECTS/site.KPJ").string());
  EXPECT_EQ(Stations(p), Names{"North"});
  EXPECT_EQ(p.GetTransfer("North", "Hourly", "To SCADA")->m_nLogID, 7);
  p.Load(env_.Path("projects/other.kpj").string());
  EXPECT_EQ(Stations(p), Names{"South"});
  EXPECT_EQ(p.m_stationNumbers.size(), 1u);
  p.Load(env_.Path("none.kpj").string());
  EXPECT_TRUE(p.m_stations.empty());
  EXPECT_TRUE(p.m_stationNumbers.empty());
}

// One transfer read on its own, by section and key, the file found without case.
TEST_F(ProjectFileTest, ReadTakesOneTransferFromTheFile) {
  test::WriteFile(env_.Path("p.kpj"),
                  "[CLIENT TRANSFERS: C]\r\n3=`T`,1\r\n3A=,,,,,,,,,,,0,4,\r\n4=U,\r\n");
  for (const auto& [key, want] : {std::pair{"3", "T 0 4"}, std::pair{"4", "U none -1"}}) {
    CClientXferData x;
    x.Read(env_.Path("P.KPJ").string(), "Client Transfers: C", key);
    EXPECT_EQ(x.m_strName + " " + (x.m_nLogIDType ? std::to_string(*x.m_nLogIDType) : "none") +
                  " " + std::to_string(x.m_nLogID),
              want);
  }
}

TEST_F(ProjectFileTest, SampleProjectListsEveryStationWithItsTransfers) {
  CProjectFileData p;
  p.Load(test::SourcePath("samples/projects/waterworks.kpj").string());
  ASSERT_GE(p.m_stations.size(), 5u);
  for (const auto& s : p.m_stations) {
    EXPECT_GT(s->m_nStationNumber, 0) << s->m_strName;
    EXPECT_FALSE(s->m_datalogs.empty()) << s->m_strName;
    for (const auto& [name, xfers] : s->m_datalogs) {
      EXPECT_FALSE(xfers.empty()) << s->m_strName << " " << name;
      for (const auto& x : xfers) EXPECT_TRUE(x.m_nLogIDType.has_value()) << x.m_strName;
    }
  }
}

}  // namespace
}  // namespace kz::projfiles
