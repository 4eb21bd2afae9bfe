#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "projfiles/dbase_file.h"
#include "projfiles/trend_store.h"
#include "support/citect_install.h"
#include "support/file_faults.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::projfiles {
namespace {

using citect::CCitectTrendTag;
using Box = test::ScriptedUi::Box;

CCitectTrendTag Binding(std::string project, std::string trend, std::string station = "North") {
  CCitectTrendTag t = test::WaterBinding(trend, "/data/Site.kpj");
  t.m_strCitectProj = std::move(project);
  t.m_strStaName = std::move(station);
  return t;
}

class CitectDataMgrTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    install_.user_folder = env_.Path("citect/User");
    install_.projects = {{"Water",
                          "Water works",
                          {{"PumpFlow", "Pump1_Flow"},
                           {"Level", "Old_Level"},
                           {"Level", "Tank_Level"},
                           {"Old", "Gone", true}},
                          {}},
                         {"Power", "", {{"Load", "Feeder_Load"}}, {}}};
    ASSERT_TRUE(test::WriteCitectInstall(install_));
  }
  std::string Store() const { return env_.Path("kztrendvars.dbf").string(); }
  void SaveList(const std::vector<CCitectTrendTag>& tags) {
    ASSERT_TRUE(test::SaveBindings(Store(), tags));
  }

  test::CitectInstall install_;
  test::ScriptedUi ui_;
  CCitectDataMgr mgr_{ui_};
};

// Each record loaded as project, trend tag, station and the expression found for it.
std::string Loaded(const citect::CCitectTrendTagArray& tags) {
  std::string out;
  for (std::size_t i = 0; i < tags.size(); ++i) {
    out += (i ? " | " : "") + tags[i].m_strCitectProj + " " + tags[i].m_strTrendVar + " " +
           tags[i].m_strStaName + " " + tags[i].m_strExpr;
  }
  return out;
}

// Project folders are found without case, trend tag names match with case; records without a
// project or trend tag are dropped; of two records of one trend tag the later takes the
// expression, and of two in trend.dbf the later gives it; a tag deleted in trend.dbf has none.
TEST_F(CitectDataMgrTest, SavedListLoadsBackWithProjectExpressions) {
  const struct {
    std::vector<CCitectTrendTag> saved;
    const char* loaded;
  } cases[] = {
      {{Binding("Water", "PumpFlow"), Binding("power", "Load", "South"), Binding("WATER", "Level")},
       "Water PumpFlow North Pump1_Flow | power Load South Feeder_Load | WATER Level North "
       "Tank_Level"},
      {{Binding("", "PumpFlow"), Binding("Water", ""), Binding("Water", "Level")},
       "Water Level North Tank_Level"},
      {{Binding("Water", "pumpflow"), Binding("Water", "Old")},
       "Water pumpflow North  | Water Old North "},
      {{Binding("Water", "PumpFlow"), Binding("Water", "PumpFlow", "South")},
       "Water PumpFlow North  | Water PumpFlow South Pump1_Flow"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.loaded);
    SaveList(c.saved);
    ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
    EXPECT_EQ(Loaded(mgr_.m_tags), c.loaded);
    const CCitectTrendTag& last = mgr_.m_tags[mgr_.m_tags.size() - 1];
    EXPECT_EQ(last.m_strProjFile + " " + last.m_strDatalog + " " + last.m_strTagName,
              "/data/Site.kpj Hourly Flow");
  }
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(CitectDataMgrTest, SavedTableHasExactLayoutAndRecordBytes) {
  SaveList({Binding("Water", std::string(33, 'T'), std::string(25, 'S'))});
  const std::string bytes = test::ReadFile(Store());
  // Header and record lengths follow from these; the header's own bytes are the table's test.
  ASSERT_EQ(bytes.size(), 226u + 623 + 1);
  EXPECT_EQ(bytes[1], static_cast<char>(LocalDate().year - 1900));
  std::string record = " " + std::string("Water").append(250, ' ') + std::string(32, 'T') +
                       std::string("/data/Site.kpj").append(241, ' ') + std::string(20, 'S') +
                       std::string("Hourly").append(14, ' ') + std::string("Flow").append(36, ' ') +
                       "\x1a";
  EXPECT_EQ(bytes.substr(226), record);
}

TEST_F(CitectDataMgrTest, ColumnsAreFoundByNameAndAMissingOneReadsEmpty) {
  const std::vector<CFieldNode> fields = {{"trendvar", 32}, {"STANAME", 20}, {"CitectPrj", 255}};
  ASSERT_EQ(CDBaseFile::Create(Store(), fields), kDbfCreated);
  CDBaseFile table;
  ASSERT_TRUE(table.Open(Store(), CDBaseFile::Mode::ReadWrite));
  ASSERT_EQ(table.AppendRecord({"PumpFlow", "North", "Water"}), kDbfDone);
  ASSERT_TRUE(table.Close());
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataOk);
  EXPECT_EQ(Loaded(mgr_.m_tags), "Water PumpFlow North Pump1_Flow");
  EXPECT_EQ(mgr_.m_tags[0].m_strProjFile + mgr_.m_tags[0].m_strTagName, "");
}

// No message for a missing store; one for an unreadable project table (the records stay, later
// projects are not read); one for an unknown user folder.
TEST_F(CitectDataMgrTest, LoadFailuresAndTheirMessages) {
  mgr_.m_tags.Add();
  EXPECT_EQ(mgr_.ReadWrite(env_.Path("none.dbf").string(), false), kDataFailed);
  EXPECT_TRUE(mgr_.m_tags.empty());
  EXPECT_TRUE(ui_.boxes.empty());
  SaveList({Binding("Ghost", "A"), Binding("Ghost", "B"), Binding("Zzz", "C")});
  ASSERT_EQ(mgr_.ReadWrite(Store(), false), kDataFailed);
  EXPECT_EQ(mgr_.m_tags.size(), 3u);
  std::filesystem::remove(env_.windir() / "citect.ini");
  std::unordered_map<std::string, std::string> exprs;
  EXPECT_EQ(mgr_.ReadTrendExpressions("Water", exprs), kDataFailed);
  EXPECT_EQ(ui_.boxes,
            (std::vector<Box>{{"Unable to access trend tag list - the file may be in use by "
                               "Citect.\n\n" +
                                   install_.user_folder.string() + "/ghost/trend.dbf",
                               "Error", ui::Buttons::Ok, ui::Icon::Exclamation},
                              {"Unable to locate the Citect user folder location.", "Error",
                               ui::Buttons::Ok, ui::Icon::Exclamation}}));
}

TEST_F(CitectDataMgrTest, StoreLivesInTheToolsProjectsFolderElseInTheCurrentOne) {
  char cwd[PATH_MAX];
  ASSERT_TRUE(getcwd(cwd, sizeof cwd));
  EXPECT_EQ(LocateTrendStore(), std::string(cwd) + "/kztrendvars.dbf");
  platform::WritePrivateProfileString("Installation Directory", "Path32", "/opt/tool/",
                                      "velmora.ini");
  EXPECT_EQ(LocateTrendStore(), "/opt/tool/Projects/kztrendvars.dbf");
}

TEST_F(CitectDataMgrTest, FailedSaveLeavesTheOldTableWhole) {
  SaveList({Binding("Water", "PumpFlow")});
  const std::string before = test::ReadFile(Store());
  mgr_.m_tags.Add().CopyFrom(Binding("Water", "Level"));
  EXPECT_EQ(mgr_.ReadWrite(env_.Path("no/such/kztrendvars.dbf").string(), true), kDataFailed);
  test::FailEachStepInTurn(
      [&] { return mgr_.ReadWrite(Store(), true) == kDataOk; },
      [&](const std::string& step) { EXPECT_EQ(test::ReadFile(Store()), before) << step; });
  CCitectDataMgr loaded(ui_);
  ASSERT_EQ(loaded.ReadWrite(Store(), false), kDataOk);
  EXPECT_EQ(loaded.m_tags.size(), 1u);
  EXPECT_TRUE(ui_.boxes.empty());
}

// A list cut short by a failed read must not load as the whole list, and is not saved over the
// store: that would drop the rest. A missing store is a new list.
TEST_F(CitectDataMgrTest, ReadFailureAfterTheHeaderFailsTheLoadAndTheSave) {
  SaveList({Binding("Water", "PumpFlow"), Binding("Water", "Level")});
  const std::string before = test::ReadFile(Store());
  // The header takes two reads (the second finds the end of the small file); the records come
  // after.
  EXPECT_FALSE(test::WithFailingStep(
      platform::FileStep::Read, [&] { return mgr_.ReadWrite(Store(), false) == kDataOk; }, 2));
  mgr_.m_tags.Add().CopyFrom(Binding("Water", "Added"));
  EXPECT_EQ(mgr_.ReadWrite(Store(), true), kDataFailed);
  EXPECT_EQ(test::ReadFile(Store()), before);
  const std::string fresh = env_.Path("fresh.dbf").string();
  ASSERT_EQ(mgr_.ReadWrite(fresh, false), kDataFailed);
  mgr_.m_tags.Add().CopyFrom(Binding("Water", "Added"));
  EXPECT_EQ(mgr_.ReadWrite(fresh, true), kDataOk);
}

class StationFileTest : public CitectDataMgrTest {
 protected:
  void SetUp() override {
    CitectDataMgrTest::SetUp();
    test::WriteFile(
        path_,
        "[Zel Stations]\n0=North,1,0\n[Zel: North]\nStaNum=7\n"
        "[Brenmark]\n0=South,2\n1=NoNumber,3\n[Brenmark: South]\nStaNum=9\n"
        "[Quenda]\n0=North,Hourly,60\n1=NORTH,Daily,60\n2=South,Hourly,60\n3=West,Daily\n"
        "[Quenda:Hourly]\n0=Flow\n1=Pressure\n2=Sched:1\n3=Level\n"
        "[Quenda:Daily]\n0=Total\n[Plant Floor Names]\n0=Only,4\n");
  }
  // Each station as name, number and datalog configurations.
  std::string Stations(const std::string& path) {
    std::string out;
    for (const CStaInfo& s : mgr_.GetStations(path)) {
      out += s.m_strName + " " + std::to_string(s.m_nStationNumber);
      for (const auto& d : s.m_datalogNames) out += " " + d;
      out += ";";
    }
    return out;
  }
  const std::string path_ = env_.Path("Projects/Site.kpj").string();
};

// Stations from "Zel Stations" then "Brenmark" (not "Plant Floor Names"), datalog tags without
// the entries holding a colon; the path found without case, a missing file giving empty lists.
TEST_F(StationFileTest, StationsDatalogsAndTagsComeFromTheirSections) {
  EXPECT_EQ(Stations(path_), "North 7 Hourly Daily;South 9 Hourly;NoNumber 0;");
  EXPECT_EQ(mgr_.GetDatalogTags(path_, "HOURLY"),
            (std::vector<std::string>{"Flow", "Pressure", "Level"}));
  const std::string lower = env_.Path("projects/site.kpj").string();
  EXPECT_EQ(Stations(lower), Stations(path_));
  EXPECT_EQ(mgr_.GetDatalogTags(lower, "daily"), std::vector<std::string>{"Total"});
  const std::string missing = env_.Path("none.kpj").string();
  EXPECT_EQ(Stations(missing), "");
  EXPECT_TRUE(mgr_.GetDatalogConfigs(missing, "North").empty());
  EXPECT_TRUE(mgr_.GetDatalogTags(missing, "Hourly").empty());
}

// Datalog lists are cached by lower-cased path and name, stations by the path text as given; a
// station first asked after the file changed is answered from the new file; a load empties all.
TEST_F(StationFileTest, CachesAnswerUntilTheFileChangesOrTheListIsLoaded) {
  const auto& configs = mgr_.GetDatalogConfigs(path_, "North");
  const auto& tags = mgr_.GetDatalogTags(path_, "Hourly");
  const auto& stations = mgr_.GetStations(path_);
  test::WriteFile(path_, "[Zel Stations]\n0=Other,1\n[Quenda]\n0=North,Changed\n1=East,Minute\n");
  const std::string upper = env_.Path("PROJECTS/SITE.KPJ").string();
  EXPECT_EQ(&mgr_.GetDatalogConfigs(upper, "NORTH"), &configs);
  EXPECT_EQ(configs, (std::vector<std::string>{"Hourly", "Daily"}));
  EXPECT_EQ(&mgr_.GetDatalogTags(upper, "hourly"), &tags);
  EXPECT_EQ(&mgr_.GetStations(path_), &stations);
  EXPECT_EQ(mgr_.GetDatalogConfigs(path_, "East"), std::vector<std::string>{"Minute"});
  EXPECT_TRUE(mgr_.GetDatalogConfigs(path_, "West").empty());
  EXPECT_EQ(Stations(upper), "Other 0;");
  mgr_.ReadWrite(Store(), false);
  EXPECT_EQ(mgr_.GetDatalogConfigs(path_, "North"), std::vector<std::string>{"Changed"});
}

}  // namespace
}  // namespace kz::projfiles
