#include "app_fixture.h"
#include "citect/citect_cfg_dlg.h"
#include "config/cfg_mgr.h"
#include "editor/cfg_psheet.h"
#include "platform/profile.h"
#include "platform/shared_status.h"
#include "platform/system_dirs.h"
#include "shell/kzdlogsrv_app.h"

namespace kz::shell {
namespace {

using test::ReadFile;
using test::WriteFile;
using ui::Answer;
using Box = test::ScriptedUi::Box;
using ui::Buttons;
using ui::DialogResult;
using ui::Icon;

constexpr const char* kOldFile = "[general]\nlog dir=/data/old\n";

class ConfigureTest : public AppTest {
 protected:
  // Records what the sheet saw and changes the model, then closes with `result`.
  void AnswerSheet(DialogResult result) {
    ui_.on_modal = [this, result](ui::Window& w) {
      if (auto* sheet = dynamic_cast<editor::CCfgPSheet*>(&w)) {
        seen_log_dir_ = sheet->GetCfgMgr()->GetLogDir();
        seen_options_ = sheet->GetOptions();
        seen_start_page_ = sheet->GetStartPage();
        sheet->GetCfgMgr()->SetLogDir("/data/new");
      }
      return result;
    };
  }
  std::string LogDirIn(const std::filesystem::path& file) {
    return platform::GetPrivateProfileString("general", "log dir", "?", 256, file.string());
  }
  std::filesystem::path StandardFile() const { return env_.windir() / "kzdlogrcv.cfg"; }
  std::filesystem::path CitectFile() const { return env_.windir() / "kzcitectsrv.cfg"; }

  std::string seen_log_dir_ = "(not run)";
  std::string seen_options_;
  int seen_start_page_ = -1;
};

// Which status word warns, which asks before the save, and which file is written.
TEST_F(ConfigureTest, EditionAndStatusWordsDecideTheQuestionsAndTheFile) {
  enum Saved { kNone, kStandard, kCitect };
  using R = DialogResult;
  using A = Answer;
  const Box warn{std::string(kServerRunningText), "Server Running", Buttons::Ok, Icon::Exclamation};
  const Box ask{std::string(kSaveChangesText), "Save Changes?", Buttons::YesNo, Icon::Question};
  const struct {
    const char* options;
    int word0, word1;
    DialogResult result;
    std::vector<Answer> answers;
    std::vector<Box> boxes;
    Saved saved;
    int start_page;
  } cases[] = {
      {"", 0, 0, R::Ok, {}, {}, kStandard, 0},
      {"", 2, 0, R::Cancel, {}, {warn}, kNone, 0},
      {"", 3, 0, R::Ok, {A::Ok, A::Yes}, {warn, ask}, kStandard, 0},
      {"", 1, 0, R::Ok, {}, {}, kStandard, 0},  // 1 counts as stopped
      {"product=citect", 2, 0, R::Ok, {}, {}, kCitect, 0},
      // Warned by the equality test (word 1), asked by the edition (word 0).
      {"PRODUCT=CITECT", 0, 2, R::Ok, {A::Ok}, {warn}, kStandard, 0},
      {"product=citect page=scheduled_xfers", 0, 2, R::Ok, {A::No}, {ask}, kNone, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.options << " words " << c.word0 << "," << c.word1);
    WriteFile(StandardFile(), kOldFile);
    WriteFile(CitectFile(), kOldFile);
    app_->SetServerStat("", c.word0);
    app_->SetServerStat("product=citect", c.word1);
    ui_.boxes.clear();
    ui_.answers.assign(c.answers.begin(), c.answers.end());
    AnswerSheet(c.result);
    EXPECT_EQ(app_->Configure(c.options), 0);
    EXPECT_EQ(ui_.boxes, c.boxes);
    EXPECT_EQ(seen_log_dir_, "/data/old");
    // The sheet gets its edition's options, not the text it was called with.
    EXPECT_EQ(seen_options_,
              std::string_view(c.options).starts_with("product=citect") ? "product=citect" : "");
    EXPECT_EQ(seen_start_page_, c.start_page);
    EXPECT_EQ(LogDirIn(StandardFile()), c.saved == kStandard ? "/data/new" : "/data/old");
    EXPECT_EQ(LogDirIn(CitectFile()), c.saved == kCitect ? "/data/new" : "/data/old");
  }
}

TEST_F(ConfigureTest, TrendTypeRunsTheTrendDialogAndTouchesNoFile) {
  WriteFile(StandardFile(), kOldFile);
  int trend_runs = 0;
  ui_.on_modal = [&](ui::Window& w) {
    if (dynamic_cast<citect::CCitectCfgDlg*>(&w)) ++trend_runs;
    return DialogResult::Ok;
  };
  EXPECT_EQ(app_->Configure("product=citect type=trend File=/nonexistent/x.cfg"), 0);
  EXPECT_EQ(trend_runs, 1);
  EXPECT_EQ(ui_.modal_runs.size(), 1u);
  EXPECT_EQ(ReadFile(StandardFile()), kOldFile);
  EXPECT_FALSE(std::filesystem::exists(CitectFile()));
  EXPECT_EQ(app_->help_file_path(), "/opt/kz/kzdlgcit.hlp");
}

// A file named with blanks is written; one that cannot be is reported and not made.
TEST_F(ConfigureTest, FileOptionNamesTheFileAndAFailedSaveIsReported) {
  const auto file = env_.Path("my cfg/a b.cfg");
  const auto missing = env_.Path("missing folder/a.cfg");
  WriteFile(file, kOldFile);
  AnswerSheet(DialogResult::Ok);
  EXPECT_EQ(app_->Configure("File=\"" + file.string() + "\""), 0);
  EXPECT_EQ(LogDirIn(file), "/data/new");
  EXPECT_FALSE(std::filesystem::exists(StandardFile()));
  EXPECT_EQ(app_->Configure("File=" + missing.string()), 0);
  EXPECT_EQ(ui_.boxes,
            (std::vector<Box>{{"Failed to save the configuration file " + missing.string() + ".",
                               "Error", Buttons::Ok, Icon::Exclamation}}));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(ConfigureTest, WithoutAStatusBlockTheServerCountsAsRunning) {
  app_->ExitInstance();
  // A block that is not private cannot be used.
  const auto block = *platform::RuntimeDirectory() / platform::SharedStatus::kName;
  std::filesystem::remove(block);
  WriteFile(block, std::string(16, '\0'));
  std::filesystem::permissions(block, std::filesystem::perms(0644));
  app_->InitInstance();
  ASSERT_FALSE(app_->has_status_block());
  EXPECT_EQ(ui_.boxes.back(), (Box{"Failed to create shared data.", "kzdlogsrv.dll"}));
  ui_.boxes.clear();

  EXPECT_EQ(app_->GetServerStatus(""), -1);
  EXPECT_EQ(app_->SetServerStat("", 2), 0);
  AnswerSheet(DialogResult::Ok);
  ui_.answers = {Answer::Ok, Answer::No};
  EXPECT_EQ(app_->Configure(""), 0);
  EXPECT_EQ(ui_.boxes.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(StandardFile()));
}

using HelpTest = AppTest;
// Before Configure the help file is the module's; Configure names it after the OEM (any case)
// beside the module, and help opens its compiled form. A path without a folder stays whole.
TEST_F(HelpTest, OemNameChoosesTheHelpFileIgnoringCase) {
  const struct {
    const char* oem;
    const char* initial;  // the path before Configure; nullptr: the module's
    const char* options;
    const char* file;
    const char* opened;
    bool citect;
  } cases[] = {
      {"ravenHOLT", nullptr, "", "/opt/kz/wndlgsrv.chm", "/opt/kz/wndlgsrv.chm", false},
      {"KALDEN", nullptr, "", "/opt/kz/kzdlgsrv.hlp", "/opt/kz/kzdlgsrv.chm", false},
      {"KALDEN", "kzdlogsrv.hlp", "product=citect", "kzdlogsrv.hlp", "kzdlogsrv.chm", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.oem);
    TearDown();
    SetUp();
    EXPECT_EQ(app_->help_file_path(), "/opt/kz/libkzdlogsrv.hlp") << "the module's at first";
    oem_->answer = {OemAnswer::Status::Ok, c.oem};
    if (c.initial) app_->set_help_file_path(c.initial);
    EXPECT_EQ(app_->Configure(c.options), 0);
    EXPECT_EQ(app_->help_file_path(), c.file);
    EXPECT_EQ(app_->citect_help(), c.citect);
    app_->WinHelp(0x20068, kHelpContext);
    app_->WinHelp(0x20080, kHelpContext);  // ignored
    EXPECT_EQ(ui_.help_requests,
              (std::vector<std::pair<std::string, std::uint32_t>>{{c.opened, 0x20068u}}));
    ui_.help_requests.clear();
  }
  EXPECT_EQ(CompiledHelpFile("/a.b/help"), "/a.b/help.chm");
}

TEST_F(HelpTest, OemAnswersDecideTheNameAndTheMessage) {
  oem_->answer = {OemAnswer::Status::Unavailable, ""};
  EXPECT_EQ(app_->GetOEMInfo(), "KALDEN");
  EXPECT_TRUE(ui_.boxes.empty());
  oem_->answer = {OemAnswer::Status::CallFailed, ""};
  EXPECT_EQ(app_->GetOEMInfo(), "KALDEN");
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_EQ(ui_.boxes[0].text, "OEM information not found.");
  EXPECT_EQ(MakeDefaultOemProvider()->Query().name, "KALDEN");
}

}  // namespace
}  // namespace kz::shell
