#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "platform/file_faults.h"
#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "projfiles/dbase_file.h"
#include "projfiles/trend_store.h"
#include "support/citect_install.h"
#include "support/file_faults.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::projfiles {
namespace {

using citect::CCitectTrendTag;
using Box = test::ScriptedUi::Box;

CCitectTrendTag Binding(std::string project, std::string trend, std::string station = "North") {
  CCitectTrendTag t;
  t.m_strCitectProj = std::move(project);
  t.m_strTrendVar = std::move(trend);
  t.m_strProjFile = "/data/Site.kpj";
  t.m_strStaName = std::move(station);
  t.m_strDatalog = "Hourly";
  t.m_strTagName = "Flow";
  return t;
}

class CitectDataMgrTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    install_.user_folder = env_.Path("citect/User");
    install_.projects = {
        {"Water",
         "Water works",
         {{"PumpFlow", "Pump1_Flow"}, {"Level", "Tank_Level"}, {"Old", "Gone", true}},
         {}},
        {"Power", "", {{"Load", "Feeder_Load"}}, {}}};
    ASSERT_TRUE(test::WriteCitectInstall(install_));
  }
  std::string Store() const { return env_.Path("kztrendvars.dbf").string(); }
  void SaveList(const std::vector<CCitectTrendTag>& tags) {
    CCitectDataMgr mgr(ui_);
    for (const auto& t : tags) mgr.m_tags.Add().CopyFrom(t);
    ASSERT_EQ(mgr.ReadWrite(Store(), true), kDataOk);
  }

  test::CitectInstall install_;
  test::ScriptedUi ui_;
  CCitectDataMgr mgr_{ui_};
};

TEST_F(CitectDataMgrTest, SavedListLoadsBackWithProjectExpressions) {
  SaveList(
      {Binding("Water", "PumpFlow"), Binding("power", "Load", "South"), Binding("WATER", "Level")});
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
  ASSERT_EQ(mgr_.m_tags.size(), 3u);
  EXPECT_EQ(mgr_.m_tags[0].m_strCitectProj, "Water");
  EXPECT_EQ(mgr_.m_tags[0].m_strExpr, "Pump1_Flow");
  EXPECT_EQ(mgr_.m_tags[1].m_strStaName, "South");
  EXPECT_EQ(mgr_.m_tags[1].m_strExpr, "Feeder_Load");  // project folder found without case
  EXPECT_EQ(mgr_.m_tags[2].m_strExpr, "Tank_Level");
  EXPECT_EQ(mgr_.m_tags[2].m_strProjFile, "/data/Site.kpj");
  EXPECT_EQ(mgr_.m_tags[2].m_strDatalog, "Hourly");
  EXPECT_EQ(mgr_.m_tags[2].m_strTagName, "Flow");
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(CitectDataMgrTest, SavedTableHasExactLayoutAndRecordBytes) {
  SaveList({Binding("Water", std::string(33, 'T'), std::string(25, 'S'))});
  const std::string bytes = test::ReadFile(Store());
  ASSERT_EQ(bytes.size(), 226u + 623 + 1);
  EXPECT_EQ(bytes.substr(0, 1), "\x03");
  EXPECT_EQ(bytes.substr(4, 8), std::string("\x01\0\0\0\xe2\0\x6f\x02", 8));
  const DbfDate today = LocalDate();
  EXPECT_EQ(bytes[1], static_cast<char>(today.year - 1900));
  std::string record = " " + std::string("Water").append(250, ' ') + std::string(32, 'T') +
                       std::string("/data/Site.kpj").append(241, ' ') + std::string(20, 'S') +
                       std::string("Hourly").append(14, ' ') + std::string("Flow").append(36, ' ') +
                       "\x1a";
  EXPECT_EQ(bytes.substr(226), record);
  CDBaseFile f;
  ASSERT_TRUE(f.Open(Store(), CDBaseFile::Mode::ReadOnly));
  for (std::size_t i = 0; i < kTrendStoreColumns.size(); ++i) {
    EXPECT_EQ(f.Fields()[i].Name(), kTrendStoreColumns[i].name);
    EXPECT_EQ(f.Fields()[i].m_nLength, kTrendStoreColumns[i].length);
  }
}

TEST_F(CitectDataMgrTest, RecordsWithoutProjectOrTrendTagAreDropped) {
  SaveList({Binding("", "PumpFlow"), Binding("Water", ""), Binding("Water", "Level")});
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
  ASSERT_EQ(mgr_.m_tags.size(), 1u);
  EXPECT_EQ(mgr_.m_tags[0].m_strTrendVar, "Level");
}

TEST_F(CitectDataMgrTest, ColumnsAreFoundByNameAndAMissingOneReadsEmpty) {
  const std::vector<CFieldNode> fields = {{"trendvar", 32}, {"STANAME", 20}, {"CitectPrj", 255}};
  ASSERT_EQ(CDBaseFile::Create(Store(), fields), kDbfCreated);
  CDBaseFile table;
  ASSERT_TRUE(table.Open(Store(), CDBaseFile::Mode::ReadWrite));
  ASSERT_EQ(table.AppendRecord({"PumpFlow", "North", "Water"}), kDbfDone);
  ASSERT_TRUE(table.Close());
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
  ASSERT_EQ(mgr_.m_tags.size(), 1u);
  EXPECT_EQ(mgr_.m_tags[0].m_strCitectProj, "Water");
  EXPECT_EQ(mgr_.m_tags[0].m_strTrendVar, "PumpFlow");
  EXPECT_EQ(mgr_.m_tags[0].m_strStaName, "North");
  EXPECT_EQ(mgr_.m_tags[0].m_strProjFile, "");
  EXPECT_EQ(mgr_.m_tags[0].m_strTagName, "");
  EXPECT_EQ(mgr_.m_tags[0].m_strExpr, "Pump1_Flow");
}

TEST_F(CitectDataMgrTest, TrendTagNamesMatchTheProjectWithCase) {
  SaveList({Binding("Water", "pumpflow"), Binding("Water", "Old")});
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
  EXPECT_EQ(mgr_.m_tags[0].m_strExpr, "");  // differs in case only
  EXPECT_EQ(mgr_.m_tags[1].m_strExpr, "");  // deleted in trend.dbf
}

TEST_F(CitectDataMgrTest, MissingStoreLoadsEmptyWithoutMessage) {
  mgr_.m_tags.Add();
  EXPECT_EQ(mgr_.ReadWrite(env_.Path("none.dbf").string(), false), kDataFailed);
  EXPECT_TRUE(mgr_.m_tags.empty());
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(CitectDataMgrTest, UnreadableProjectTableIsReportedOnceAndKeepsTheRecords) {
  SaveList({Binding("Ghost", "A"), Binding("Ghost", "B"), Binding("Zzz", "C")});
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataFailed);
  EXPECT_EQ(mgr_.m_tags.size(), 3u);
  EXPECT_EQ(ui_.boxes,
            (std::vector<Box>{{"Unable to access trend tag list - the file may be in use by "
                               "Citect.\n\n" +
                                   install_.user_folder.string() + "/ghost/trend.dbf",
                               "Error", ui::Buttons::Ok, ui::Icon::Exclamation}}));
}

TEST_F(CitectDataMgrTest, UnknownUserFolderIsReported) {
  SaveList({Binding("Water", "PumpFlow")});
  std::filesystem::remove(env_.windir() / "citect.ini");
  std::unordered_map<std::string, std::string> exprs;
  EXPECT_EQ(mgr_.ReadTrendExpressions("Water", exprs), kDataFailed);
  EXPECT_EQ(ui_.boxes, (std::vector<Box>{{"Unable to locate the Citect user folder location.",
                                          "Error", ui::Buttons::Ok, ui::Icon::Exclamation}}));
}

TEST_F(CitectDataMgrTest, ReadTrendExpressionsGivesLiveRecordsLaterWinning) {
  test::WriteTrendTable(install_.user_folder / "Water" / "trend.dbf",
                        {{"A", "one"}, {"B", "two", true}, {"A", "three"}});
  std::unordered_map<std::string, std::string> exprs;
  ASSERT_EQ(mgr_.ReadTrendExpressions("water", exprs), kDataOk);
  EXPECT_EQ(exprs, (std::unordered_map<std::string, std::string>{{"A", "three"}}));
}

// Two records of one trend tag: the expression goes to the later one only.
TEST_F(CitectDataMgrTest, LaterRecordOfADuplicateTrendTagTakesTheExpression) {
  SaveList({Binding("Water", "PumpFlow"), Binding("Water", "PumpFlow", "South")});
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
  ASSERT_EQ(mgr_.m_tags.size(), 2u);
  EXPECT_EQ(mgr_.m_tags[0].m_strExpr, "");
  EXPECT_EQ(mgr_.m_tags[1].m_strExpr, "Pump1_Flow");
}

TEST_F(CitectDataMgrTest, StoreLivesInTheToolsProjectsFolderElseInTheCurrentOne) {
  char cwd[PATH_MAX];
  ASSERT_TRUE(getcwd(cwd, sizeof cwd));
  EXPECT_EQ(LocateTrendStore(), std::string(cwd) + "/kztrendvars.dbf");
  platform::WritePrivateProfileString("Installation Directory", "Path32", "/opt/tool/",
                                      "velmora.ini");
  EXPECT_EQ(LocateTrendStore(), "/opt/tool/Projects/kztrendvars.dbf");
}

class CitectDataMgrSaveFailureTest : public CitectDataMgrTest {};

TEST_F(CitectDataMgrSaveFailureTest, FailedSaveLeavesTheOldTableWhole) {
  SaveList({Binding("Water", "PumpFlow")});
  const std::string before = test::ReadFile(Store());
  mgr_.m_tags.Add().CopyFrom(Binding("Water", "Level"));
  test::FailEachStepInTurn(
      [&] { return mgr_.ReadWrite(Store(), true) == kDataOk; },
      [&](const std::string& step) { EXPECT_EQ(test::ReadFile(Store()), before) << step; });
  CCitectDataMgr loaded(ui_);
  ASSERT_EQ(loaded.ReadWrite(Store(), false), kDataOk);
  EXPECT_EQ(loaded.m_tags.size(), 1u);
}

// A list cut short by a failed read must not load as the whole list: the next save would drop
// the rest.
TEST_F(CitectDataMgrSaveFailureTest, ReadFailureAfterTheHeaderFailsTheLoad) {
  SaveList({Binding("Water", "PumpFlow"), Binding("Water", "Level")});
  // The header takes two reads (the second finds the end of the small file); the records come
  // after.
  int reads = 0;
  platform::SetFileFaultHook(
      [&](platform::FileStep step) { return step == platform::FileStep::Read && ++reads > 2; });
  EXPECT_EQ(mgr_.ReadWrite(Store(), false), kDataFailed);
  platform::SetFileFaultHook(nullptr);
  EXPECT_GT(reads, 2);
}

TEST_F(CitectDataMgrSaveFailureTest, SaveIntoMissingFolderFails) {
  mgr_.m_tags.Add().CopyFrom(Binding("Water", "Level"));
  EXPECT_EQ(mgr_.ReadWrite(env_.Path("no/such/kztrendvars.dbf").string(), true), kDataFailed);
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(CitectDataMgrTest, AppendCopiesAddsIndependentRecordsInOrder) {
  citect::CCitectTrendTagArray wizard;
  wizard.Add().CopyFrom(Binding("Water", "A"));
  wizard[0].m_strExpr = "X";
  wizard.Add().CopyFrom(Binding("Water", "B"));
  mgr_.m_tags.Add().CopyFrom(Binding("Water", "Z"));
  mgr_.AppendCopies(wizard);
  wizard.RemoveAll();
  ASSERT_EQ(mgr_.m_tags.size(), 3u);
  EXPECT_EQ(mgr_.m_tags[1].m_strTrendVar, "A");
  EXPECT_EQ(mgr_.m_tags[1].m_strExpr, "X");
  EXPECT_EQ(mgr_.m_tags[2].m_strTrendVar, "B");
}

class StationFileTest : public CitectDataMgrTest {
 protected:
  void SetUp() override {
    CitectDataMgrTest::SetUp();
    test::WriteFile(env_.Path("Projects/Site.kpj"),
                    "[Zel Stations]\n0=North,1,0\n[Zel: North]\nStaNum=7\n"
                    "[Brenmark]\n0=South,2\n1=NoNumber,3\n[Brenmark: South]\nStaNum=9\n"
                    "[Quenda]\n0=North,Hourly,60\n1=NORTH,Daily,60\n2=South,Hourly,60\n"
                    "[Quenda:Hourly]\n0=Flow\n1=Pressure\n2=Sched:1\n3=Level\n"
                    "[Quenda:Daily]\n0=Total\n[Plant Floor Names]\n0=Only,4\n");
    path_ = env_.Path("Projects/Site.kpj").string();
  }
  std::string path_;
};

TEST_F(StationFileTest, StationsComeFromZelThenBrenmarkWithNumbersAndDatalogs) {
  const auto& stations = mgr_.GetStations(path_);
  ASSERT_EQ(stations.size(), 3u);
  EXPECT_EQ(stations[0].m_strName, "North");
  EXPECT_EQ(stations[0].m_nStationNumber, 7);
  EXPECT_EQ(stations[0].m_datalogNames, (std::vector<std::string>{"Hourly", "Daily"}));
  EXPECT_EQ(stations[1].m_strName, "South");
  EXPECT_EQ(stations[1].m_nStationNumber, 9);
  EXPECT_EQ(stations[2].m_strName, "NoNumber");
  EXPECT_EQ(stations[2].m_nStationNumber, 0);
}

TEST_F(StationFileTest, DatalogTagsLeaveOutEntriesWithAColon) {
  EXPECT_EQ(mgr_.GetDatalogTags(path_, "HOURLY"),
            (std::vector<std::string>{"Flow", "Pressure", "Level"}));
}

TEST_F(StationFileTest, ListsEndAtTheFirstMissingOrEmptyKey) {
  test::WriteFile(path_,
                  "[Quenda:Gap]\n0=First\n2=AfterTheGap\n"
                  "[Quenda:Blank]\n0=First\n1=\n2=AfterTheBlank\n");
  EXPECT_EQ(mgr_.GetDatalogTags(path_, "Gap"), std::vector<std::string>{"First"});
  EXPECT_EQ(mgr_.GetDatalogTags(path_, "Blank"), std::vector<std::string>{"First"});
}

TEST_F(StationFileTest, LowerCasedPathsStillFindTheFile) {
  const std::string lower = env_.Path("projects/site.kpj").string();
  EXPECT_EQ(mgr_.GetStations(lower).size(), 3u);
  EXPECT_EQ(mgr_.GetDatalogTags(lower, "daily"), std::vector<std::string>{"Total"});
}

TEST_F(StationFileTest, DatalogCachesIgnoreCaseButStationCacheDoesNot) {
  const auto& configs = mgr_.GetDatalogConfigs(path_, "North");
  const auto& tags = mgr_.GetDatalogTags(path_, "Hourly");
  const auto& stations = mgr_.GetStations(path_);
  test::WriteFile(path_, "[Zel Stations]\n0=Other,1\n[Quenda]\n0=North,Changed\n");
  const std::string upper = env_.Path("PROJECTS/SITE.KPJ").string();
  EXPECT_EQ(&mgr_.GetDatalogConfigs(upper, "NORTH"), &configs);
  EXPECT_EQ(configs, (std::vector<std::string>{"Hourly", "Daily"}));
  EXPECT_EQ(&mgr_.GetDatalogTags(upper, "hourly"), &tags);
  EXPECT_EQ(&mgr_.GetStations(path_), &stations);
  const auto& reread = mgr_.GetStations(upper);
  EXPECT_NE(&reread, &stations);
  ASSERT_EQ(reread.size(), 1u);
  EXPECT_EQ(reread[0].m_strName, "Other");
}

TEST_F(StationFileTest, StationFirstAskedAfterTheFileChangedIsAnsweredFromTheNewFile) {
  EXPECT_EQ(mgr_.GetDatalogConfigs(path_, "North"), (std::vector<std::string>{"Hourly", "Daily"}));
  test::WriteFile(path_, "[Zel Stations]\n0=East,1\n[Quenda]\n0=East,Minute\n");
  EXPECT_EQ(mgr_.GetDatalogConfigs(path_, "East"), std::vector<std::string>{"Minute"});
  EXPECT_TRUE(mgr_.GetDatalogConfigs(path_, "South").empty());
}

TEST_F(StationFileTest, LoadEmptiesTheCaches) {
  const auto first = mgr_.GetDatalogConfigs(path_, "North");
  test::WriteFile(path_, "[Quenda]\n0=North,Changed\n");
  mgr_.ReadWrite(Store(), false);
  EXPECT_EQ(mgr_.GetDatalogConfigs(path_, "North"), std::vector<std::string>{"Changed"});
}

TEST_F(StationFileTest, MissingFileGivesEmptyCachedLists) {
  const std::string missing = env_.Path("none.kpj").string();
  EXPECT_TRUE(mgr_.GetStations(missing).empty());
  EXPECT_TRUE(mgr_.GetDatalogConfigs(missing, "North").empty());
  EXPECT_TRUE(mgr_.GetDatalogTags(missing, "Hourly").empty());
}

}  // namespace
}  // namespace kz::projfiles
