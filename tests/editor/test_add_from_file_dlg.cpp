#include <gtest/gtest.h>

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page4.h"
#include "editor/new_file_mode.h"
#include "editor/project_file_choice.h"
#include "editor/rec_storage_dlg.h"
#include "support/kpj_project.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

using Dlg = CAddFromFileDlg;

class AddFromFileTest : public TransferTest {
 protected:
  // North (12): CFG1 with a transfer of each log ID type and Empty with none; alpha (3): CFG2.
  void SetUp() override {
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
    path_ = env_.Path("P/Site1/site.kpj").string();
    ASSERT_TRUE(test::WriteKpjProject(path_, project));
  }

  // Selects each list's item by name, each followed by its change ("" or a name not listed: none).
  static void Choose(Dlg& dialog, const std::string& station, const std::string& datalog,
                     const std::string& transfer) {
    dialog.m_nStation = IndexOf(dialog.m_stations, station);
    dialog.OnStationChange();
    dialog.m_nDatalog = IndexOf(dialog.m_datalogs, datalog);
    dialog.OnDatalogChange();
    dialog.m_nTransfer = IndexOf(dialog.m_transfers, transfer);
    dialog.OnTransferChange();
  }

  static int IndexOf(const std::vector<std::string>& items, const std::string& name) {
    const auto it = std::find(items.begin(), items.end(), name);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
  }

  std::string path_;
};

TEST_F(AddFromFileTest, ListsAreSortedStorageIsAskedForAndAnotherProjectReplacesAll) {
  Dlg dialog(Sheet(), path_);
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.m_stations, (std::vector<std::string>{"alpha", "North"}));
  Choose(dialog, "North", "CFG1", "FromAX");
  EXPECT_EQ(dialog.m_transfers,
            (std::vector<std::string>{"ByStation", "Fixed7", "FromAX", "FromAY"}));

  // OK without a storage path opens Record Storage Options, stays open and still runs the model's
  // checks.
  OnModal<CRecStorageDlg>([](CRecStorageDlg& s) {
    s.m_strPath = "/d/site.csv";
    s.m_nMode = kNewFileDaily;
    s.m_nDailyTime = 37800;
    return s.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
  });
  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(ui_.Texts(), (std::vector<std::string>{Dlg::kNoStoragePath, Dlg::kUnsupportedLogId}));
  EXPECT_EQ(std::tie(dialog.m_nSynch, dialog.m_strStorageSummary),
            std::make_tuple(37800, "'/d/site.csv'\n(Create new files daily at 10:30:00 AM)"));

  // "...": Cancel keeps the project; one that cannot be read empties every list and text.
  const std::string none = env_.Path("none.kpj").string();
  ui_.chosen_files = {std::nullopt, none};
  dialog.OnChooseProject();
  EXPECT_EQ(dialog.m_strStationNumber, "12");
  dialog.OnChooseProject();
  EXPECT_EQ(dialog.m_strProjectPath, none);
  EXPECT_EQ(dialog.m_strStationNumber + dialog.m_strDatalogFileName + dialog.m_strDatalogId, "");
}

// Each case chooses Fixed7 first: its ID must not outlive a choice without a transfer. Taken
// data files count in the standard edition only (which files are taken is the model's test).
TEST_F(AddFromFileTest, ChoicesShowTheirIdAndOkRefusesWhatCannotBeAdded) {
  AddTransfer(12, 7, "/d/live.csv");
  const struct {
    bool citect;
    const char *station, *datalog, *transfer, *id_text, *path;
    std::vector<std::string> messages;
    int focus = Dlg::kNoFocus;
  } cases[] = {
      {false, "", "", "", "", "", {Dlg::kNoStoragePath}, Dlg::kEditStorage},
      {false, "", "", "", "", "/d/new.csv", {Dlg::kNoStation}, Dlg::kStationList},
      {false, "North", "", "", "", "/d/new.csv", {Dlg::kNoDatalog}, Dlg::kDatalogList},
      {true, "North", "Empty", "", "", "", {Dlg::kNoTransfer}, Dlg::kTransferList},
      {false, "North", "CFG1", "FromAX", "Value of AX3", "/d/new.csv", {Dlg::kUnsupportedLogId}},
      {false, "North", "CFG1", "FromAY", "Value of AY4", "/d/new.csv", {Dlg::kUnsupportedLogId}},
      {false, "North", "CFG1", "Fixed7", "7", "/d/new.csv", {Dlg::kPairInUse}},
      {false, "North", "CFG1", "ByStation", "12", "/d/LIVE.csv", {Dlg::kDataFileInUse}},
      {false, "North", "CFG1", "ByStation", "12", "/d/new.csv", {}},
      {true, "North", "CFG1", "ByStation", "12", "/d/live.csv", {}},
      {true, "North", "CFG1", "Fixed7", "7", "", {Dlg::kPairInUse}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    ui_.boxes.clear();
    sheet_.reset();
    Dlg dialog(Sheet(c.citect), path_);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_bShowStorage, !c.citect);
    Choose(dialog, "North", "CFG1", "Fixed7");
    Choose(dialog, c.station, c.datalog, c.transfer);
    EXPECT_EQ(dialog.m_strDatalogId, c.id_text);
    dialog.m_strStoragePath = c.path;
    EXPECT_EQ(dialog.OnOK(), c.messages.empty());
    EXPECT_EQ(ui_.Texts(), c.messages);
    EXPECT_EQ(dialog.focus(), c.focus);
  }
}

TEST_F(AddFromFileTest, PageAddsTheChosenTransferAndRemembersTheProjectFolder) {
  // Neither a remembered folder nor the tool's installation: no initial folder.
  EXPECT_EQ(ProjectFileFolder(), "");
  test::WriteFile(env_.windir() / "velmora.ini", "[Installation Directory]\r\nPath32=/opt/sc\r\n");

  CCfgPage4& page = Page4();
  ui_.chosen_files = {path_};
  OnModal<Dlg>([](Dlg& d) {
    d.OnInitDialog();
    d.m_strStoragePath = "/d/site.csv";
    d.m_nNewFileMode = kNewFileMonthly;
    return d.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
  });
  page.OnAddFromFile();
  const ui::FileDialog& shown = ui_.file_dialogs.at(0);
  EXPECT_EQ(std::tie(shown.title, shown.initial_dir, shown.default_ext, shown.initial_name,
                     shown.must_exist),
            std::make_tuple("Select Project File", "/opt/sc/Projects/", "kpj", "*.kpj", true));

  // "alpha" sorts first: its only transfer is fixed at 1.
  ASSERT_EQ(model_.GetConnectionCount(), 1);
  EXPECT_EQ(model_.GetConnection(0)->GetNewFileMode(), kNewFileMonthly);
  EXPECT_EQ(page.m_rows.at(0).cells,
            (std::vector<std::string>{"3", "CFG2.kdl", "1", "/d/site.csv"}));

  // Cancel at the file choice stops there; Cancel in the dialog adds nothing.
  ui_.chosen_files = {std::nullopt, path_};
  ui_.on_modal = nullptr;
  page.OnAddFromFile();
  page.OnAddFromFile();
  EXPECT_EQ(ui_.file_dialogs.at(1).initial_dir, env_.Path("P/Site1/").string());
  EXPECT_EQ(ui_.modal_runs.size(), 2u);
  EXPECT_EQ(model_.GetConnectionCount(), 1);
}

}  // namespace
}  // namespace kz::editor
