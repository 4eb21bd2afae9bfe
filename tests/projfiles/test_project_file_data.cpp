#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "projfiles/project_file_data.h"
#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz::projfiles {
namespace {

using Names = std::vector<std::string>;

CProjectFileData Loaded(std::string_view text) {
  CProjectFileData p;
  p.LoadBytes(text);
  return p;
}

// Each file names S in "Quenda" first: the lists give their numbers wherever they stand in it.
TEST(ProjectFileData, StationNumberComesFromTheListsInTheirOrder) {
  const std::pair<const char*, int> cases[] = {
      {"[Plant Floor Names]\n0=,S,,,12,x\n", 12},
      {"[Plant Floor Names]\n0=S,1\n1=S,2\n", 2},
      {"[BRENMARK]\n0=S,2\n[brenmark: s]\nstanum=7\n", 7},
      {"[Plant Floor Names]\n0=S,12\n[Brenmark]\n0=S,2\n", 0},  // no StaNum
      {"[Brenmark]\n0=S\n[Brenmark: S]\nStaNum=7\n", -1},       // no comma, no name
      {"[Plant Floor Names]\n0=S,12\n[Zel Stations]\n0=S,1\n", 12},
      {"[Zel Stations]\n0=S,1\n[Zel: S]\nStaNum=9\n[Brenmark]\n0=S,2\n[Brenmark: S]\nStaNum=7\n",
       9},
  };
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(Loaded(std::string("[Quenda]\n0=S,Hourly\n") + text).GetStationNumber("S"), number);
  }
}

// Stations in their first "Quenda" order, names compared exactly, lists cut at the first gap; a
// repeated line appends its configuration's transfers once more.
TEST(ProjectFileData, StationsConfigurationsAndTransfersAsTheFileListsThem) {
  const auto p = Loaded(
      "[Plant Floor Names]\n0=North,5\n"
      "[quenda]\n0=North,,Hourly\n1=,South,Daily,60\n2=NORTH,Hourly\n3=North,Daily\n4=,,,\n"
      "5=Lone\n6=North,Hourly\n8=Gap,Daily\n"
      "[Client Transfers: HOURLY]\n0=`B`,\n0a=,,,,,,,,,,,129,1,\n1=`Sta`,\n"
      "1a=,,,,,,,,,,,128,77,\n2=\n3=`After`,\n");
  // One list for every call: each empties it first.
  Names names{"stale"};
  p.GetStationNames(names);
  EXPECT_EQ(names, (Names{"North", "South", "NORTH", "Lone"}));
  p.GetDatalogNames("North", names);
  EXPECT_EQ(names, (Names{"Daily", "Hourly"}));
  p.GetDatalogNames("Lone", names);
  EXPECT_EQ(names, Names{});
  p.GetTransferNames("North", "Hourly", names);
  EXPECT_EQ(names, (Names{"B", "Sta", "B", "Sta"}));
  p.GetTransferNames("North", "hourly", names);
  EXPECT_EQ(names, Names{});
  p.GetDatalogNames("north", names);
  EXPECT_EQ(names, Names{});
  // The last of a name; a station's own number for a station log ID (-1 without one).
  EXPECT_EQ(p.GetTransfer("North", "Hourly", "B"), &p.m_stations[0]->m_datalogs.at("Hourly")[2]);
  EXPECT_EQ(p.GetTransfer("North", "Hourly", "Sta")->m_nLogID, 5);
  EXPECT_EQ(p.GetTransfer("NORTH", "Hourly", "Sta")->m_nLogID, -1);
  EXPECT_EQ(p.GetTransfer("North", "Hourly", "b"), nullptr);
  EXPECT_EQ(p.GetTransfer("Nowhere", "Hourly", "B"), nullptr);
}

TEST(ClientXferData, NameLineAndDetailFields) {
  const struct {
    const char *name_line, *detail_line, *name;
    std::optional<std::int32_t> type;
    std::int32_t id;
  } cases[] = {
      {"`Hourly`,1,0", "1,0,15,3,30,0,0,1,0,0,0,129,7,", "Hourly", 129, 7},
      {"A`B`C,x", "", "ABC", std::nullopt, -1},
      {"Hourly", "", "", std::nullopt, -1},
      {"T,", "0,0,0,0,0,0,0,0,0,0,0,129,7", "T", 129, -1},        // last field unclosed
      {"T,", "0,0,0,0,0,0,0,0,0,0,129,", "T", std::nullopt, -1},  // eleven fields
  };
  for (const auto& c : cases) {
    CClientXferData x;
    x.Parse(c.name_line, c.detail_line);
    EXPECT_EQ(std::tie(x.m_strName, x.m_nLogIDType, x.m_nLogID),
              std::make_tuple(std::string(c.name), c.type, c.id));
  }
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
}

class ProjectFileTest : public test::TempEnvTest {};

// Files are found without case; each load, of the sample project or of no file, replaces all.
TEST_F(ProjectFileTest, FilesAreFoundWithoutCaseAndEachLoadReplacesEverything) {
  test::WriteFile(env_.Path("Projects/Site.kpj"),
                  "[Brenmark]\n0=North,1\n[Brenmark: North]\nStaNum=7\n[Quenda]\n0=North,Hourly\n"
                  "[Client Transfers: Hourly]\n0=`To SCADA`,\n0a=,,,,,,,,,,,128,0,\n");
  const std::string path = env_.Path("PROJECTS/site.KPJ").string();
  CProjectFileData p;
  p.Load(path);
  EXPECT_EQ(p.GetTransfer("North", "Hourly", "To SCADA")->m_nLogID, 7);
  CClientXferData x;
  x.Read(path, "client transfers: hourly", "0");
  EXPECT_EQ(std::tie(x.m_strName, x.m_nLogIDType, x.m_nLogID),
            std::make_tuple("To SCADA", LOGID_STATION, 0));

  // The sample offers stations with numbers, each with transfers to add.
  p.Load(test::SourcePath("samples/projects/waterworks.kpj").string());
  ASSERT_GE(p.m_stations.size(), 5u);
  for (const auto& s : p.m_stations) {
    EXPECT_GT(s->m_nStationNumber, 0) << s->m_strName;
    EXPECT_FALSE(s->m_datalogs.empty()) << s->m_strName;
    for (const auto& [name, xfers] : s->m_datalogs) EXPECT_FALSE(xfers.empty()) << name;
  }
  EXPECT_EQ(p.GetStationNumber("North"), -1);
  p.Load(env_.Path("none.kpj").string());
  EXPECT_TRUE(p.m_stations.empty());
  EXPECT_TRUE(p.m_stationNumbers.empty());
}

}  // namespace
}  // namespace kz::projfiles
