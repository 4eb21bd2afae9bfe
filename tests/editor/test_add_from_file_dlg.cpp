#include <gtest/gtest.h>

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page4.h"
#include "editor/project_file_choice.h"
#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "platform/registry.h"
#include "support/kpj_project.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

using Dlg = CAddFromFileDlg;

// Station "North" (12) with configurations CFG1 (one transfer per log ID type) and Empty (no
// transfer); station "alpha" (3) with CFG2.
test::KpjProject SiteProject() {
  test::KpjProject project;
  project.stations = {{"North", test::KpjStationList::kZel, 12, {"CFG1", "Empty"}},
                      {"alpha", test::KpjStationList::kBrenmark, 3, {"CFG2"}}};
  project.datalogs = {{"CFG1",
                       {{"Fixed7", projfiles::LOGID_FIXED, 7},
                        {"ByStation", projfiles::LOGID_STATION, 0},
                        {"FromAX", projfiles::LOGID_AX, 3},
                        {"FromAY", projfiles::LOGID_AY, 4}},
                       {}},
                      {"Empty", {}, {}},
                      {"CFG2", {{"Main", projfiles::LOGID_FIXED, 1}}, {}}};
  return project;
}

class AddFromFileTest : public TransferTest {
 protected:
  void SetUp() override {
    path_ = env_.Path("P/Site1/site.kpj").string();
    ASSERT_TRUE(test::WriteKpjProject(path_, SiteProject()));
  }

  // The dialog opened on the project, "North" chosen.
  std::unique_ptr<Dlg> Open(bool citect = false) {
    auto dialog = std::make_unique<Dlg>(Sheet(citect), path_);
    dialog->OnInitDialog();
    Choose(dialog->m_stations, dialog->m_nStation, "North");
    dialog->OnStationChange();
    return dialog;
  }

  static void Choose(const std::vector<std::string>& items, int& selection,
                     const std::string& name) {
    const auto it = std::find(items.begin(), items.end(), name);
    ASSERT_NE(it, items.end()) << name;
    selection = static_cast<int>(it - items.begin());
  }

  void ChooseTransfer(Dlg& dialog, const std::string& datalog, const std::string& transfer) {
    Choose(dialog.m_datalogs, dialog.m_nDatalog, datalog);
    dialog.OnDatalogChange();
    if (transfer.empty()) return;
    Choose(dialog.m_transfers, dialog.m_nTransfer, transfer);
    dialog.OnTransferChange();
  }

  std::string path_;
};

TEST_F(AddFromFileTest, ListsAreSortedDatalogIdFollowsTheLogIdTypeAndAProjectReplacesThem) {
  std::unique_ptr<Dlg> dialog = Open();
  EXPECT_EQ(dialog->m_stations, (std::vector<std::string>{"alpha", "North"}));
  EXPECT_EQ(dialog->m_datalogs, (std::vector<std::string>{"CFG1", "Empty"}));
  EXPECT_EQ(std::tie(dialog->m_strStationNumber, dialog->m_strDatalogFileName),
            std::make_tuple("12", "CFG1.kdl"));
  EXPECT_EQ(dialog->m_transfers,
            (std::vector<std::string>{"ByStation", "Fixed7", "FromAX", "FromAY"}));
  const struct {
    const char* transfer;
    const char* id_text;
  } cases[] = {
      {"Fixed7", "7"}, {"ByStation", "12"}, {"FromAX", "Value of AX3"}, {"FromAY", "Value of AY4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.transfer);
    ChooseTransfer(*dialog, "CFG1", c.transfer);
    EXPECT_EQ(dialog->m_strDatalogId, c.id_text);
  }

  // Another project file, once one is chosen, replaces everything shown.
  test::KpjProject other;
  other.stations = {{"South", test::KpjStationList::kPlantFloor, 44, {"Daily"}}};
  other.datalogs = {{"Daily", {{"Only", projfiles::LOGID_STATION, 0}}, {}}};
  const std::string other_path = env_.Path("Q/other.kpj").string();
  ASSERT_TRUE(test::WriteKpjProject(other_path, other));

  ui_.chosen_files = {std::nullopt, other_path};
  dialog->OnChooseProject();
  EXPECT_EQ(dialog->m_strProjectPath, path_);
  EXPECT_EQ(dialog->m_strStationNumber, "12");
  dialog->OnChooseProject();
  EXPECT_EQ(dialog->m_strProjectPath, other_path);
  EXPECT_EQ(dialog->m_stations, std::vector<std::string>{"South"});
  EXPECT_EQ(std::tie(dialog->m_strStationNumber, dialog->m_strDatalogFileName,
                     dialog->m_strDatalogId),
            std::make_tuple("44", "Daily.kdl", "44"));
}

// Taken data files count in the standard edition only (which files are taken is the model's
// test); a configuration without transfer has no ID to offer.
TEST_F(AddFromFileTest, OkRefusesAnalogIdsTakenPairsAndTakenDataFiles) {
  AddTransfer(12, 7, "/d/live.csv");
  const struct {
    bool citect;
    const char* datalog;
    const char* transfer;
    const char* path;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {false, "CFG1", "FromAX", "/d/new.csv", Dlg::kUnsupportedLogId},
      {false, "CFG1", "FromAY", "/d/new.csv", Dlg::kUnsupportedLogId},
      {false, "CFG1", "Fixed7", "/d/new.csv", Dlg::kPairInUse},
      {false, "CFG1", "ByStation", "/d/LIVE.csv", Dlg::kDataFileInUse},
      {false, "CFG1", "ByStation", "/d/new.csv", nullptr},
      {true, "CFG1", "ByStation", "/d/live.csv", nullptr},
      {true, "CFG1", "Fixed7", "", Dlg::kPairInUse},
      {true, "Empty", "", "", Dlg::kNoTransfer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.transfer) + " " + c.path + (c.citect ? " citect" : ""));
    ui_.boxes.clear();
    sheet_.reset();
    std::unique_ptr<Dlg> dialog = Open(c.citect);
    EXPECT_EQ(dialog->m_bShowStorage, !c.citect);
    ChooseTransfer(*dialog, "CFG1", "Fixed7");
    ChooseTransfer(*dialog, c.datalog, c.transfer);
    if (!*c.transfer) {
      EXPECT_EQ(dialog->m_nTransfer, -1);
      EXPECT_EQ(dialog->m_strDatalogId, "");
    }
    dialog->m_strStoragePath = c.path;
    EXPECT_EQ(dialog->OnOK(), c.message == nullptr);
    EXPECT_EQ(ui_.Texts(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    if (!*c.transfer) {
      EXPECT_EQ(dialog->focus(), Dlg::kTransferList);
    }
  }
}

TEST_F(AddFromFileTest, EmptyStoragePathOpensRecordStorageAndStaysOpen) {
  std::unique_ptr<Dlg> dialog = Open();
  ChooseTransfer(*dialog, "CFG1", "FromAX");
  OnModal<CRecStorageDlg>([](CRecStorageDlg& s) {
    s.OnInitDialog();
    s.m_strPath = "/d/site.csv";
    s.m_nMode = kNewFileDaily;
    s.OnModeChange();
    s.m_nDailyTime = 37800;
    return Ended(s.OnOK());
  });
  EXPECT_FALSE(dialog->OnOK());
  // The model's checks still run after the storage one.
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{Dlg::kNoStoragePath, Dlg::kUnsupportedLogId}));
  EXPECT_EQ(dialog->focus(), Dlg::kEditStorage);
  ASSERT_EQ(ui_.modal_runs.size(), 1u);
  EXPECT_EQ(std::tie(dialog->m_strStoragePath, dialog->m_nSynch, dialog->m_strStorageSummary),
            std::make_tuple("/d/site.csv", 37800,
                            "'/d/site.csv'\n(Create new files daily at 10:30:00 AM)"));
}

TEST_F(AddFromFileTest, PageAddsTheChosenTransferAndRemembersTheProjectFolder) {
  // Neither a remembered folder nor the tool's installation: no initial folder.
  EXPECT_EQ(ProjectFileFolder(), "");
  test::WriteFile(env_.windir() / "velmora.ini", "[Installation Directory]\r\nPath32=/opt/sc\r\n");
  EXPECT_EQ(ProjectFileFolder(), "/opt/sc/Projects/");

  Sheet().SetStartPage(CCfgPSheet::kClientTransfersPage);
  Sheet().OnInitDialog();
  CCfgPage4& page = Sheet().page4();
  ui_.chosen_files = {path_};
  OnModal<Dlg>([](Dlg& d) {
    d.OnInitDialog();
    d.m_strStoragePath = "/d/site.csv";
    d.m_nNewFileMode = kNewFileMonthly;
    return Ended(d.OnOK());
  });
  page.OnAddFromFile();
  ASSERT_EQ(ui_.file_dialogs.size(), 1u);
  const ui::FileDialog& shown = ui_.file_dialogs[0];
  EXPECT_EQ(std::tie(shown.title, shown.initial_dir, shown.default_ext, shown.initial_name,
                     shown.must_exist),
            std::make_tuple("Select Project File", "/opt/sc/Projects/", "kpj", "*.kpj", true));

  // "alpha" sorts first: its only transfer is fixed at 1.
  ASSERT_EQ(model_.GetConnectionCount(), 1);
  const config::CConnectionCfg* added = model_.GetConnection(0);
  EXPECT_EQ(std::make_tuple(added->GetStationNumber(), added->GetID(), added->GetDatalogFile(),
                            added->GetDataFile(), added->GetNewFileMode()),
            std::make_tuple(3, 1, "CFG2.kdl", "/d/site.csv", kNewFileMonthly));
  EXPECT_EQ(page.m_rows.size(), 1u);

  const std::string folder = env_.Path("P/Site1/").string();
  EXPECT_EQ(platform::AppProfile::GetString("settings", "last project file path", ""), folder);
  ui_.chosen_files = {std::nullopt};
  page.OnAddFromFile();
  EXPECT_EQ(ui_.file_dialogs.at(1).initial_dir, folder);
  EXPECT_EQ(ui_.modal_runs.size(), 1u);
}

}  // namespace
}  // namespace kz::editor
