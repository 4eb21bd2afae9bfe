#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <ctime>

#include "support/temp_env.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

double CpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

class HeadlessUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.Set("QT_QPA_PLATFORM", nullptr);
    env_.Set("DISPLAY", nullptr);
    env_.Set("WAYLAND_DISPLAY", nullptr);
  }
  test::ScopedEnv env_;
  QtUiService ui_;
};

TEST_F(HeadlessUiTest, DisplayIsAvailableOnlyWhenOneCanBeHad) {
  EXPECT_FALSE(ui_.CanShowWindows());
  env_.Set("DISPLAY", ":9876");  // no X server behind it
  EXPECT_FALSE(ui_.CanShowWindows());
  env_.Set("QT_QPA_PLATFORM", "xcb");
  EXPECT_FALSE(ui_.CanShowWindows());
  env_.Set("QT_QPA_PLATFORM", "offscreen");
  EXPECT_TRUE(ui_.CanShowWindows());
  env_.Set("QT_QPA_PLATFORM", "minimal:enable_fonts");
  EXPECT_TRUE(ui_.CanShowWindows());
  EXPECT_FALSE(QCoreApplication::instance()) << "asking creates nothing";
}

TEST_F(HeadlessUiTest, MessageBoxIsOneLineOnStderrAnsweredWithItsDefault) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ui_.MessageBox("Line one.\nLine two?", "Save Changes?", ui::Buttons::YesNo,
                           ui::Icon::Question),
            ui::Answer::Yes);
  EXPECT_EQ(ui_.MessageBox("Failed to create shared data.", "", ui::Buttons::Ok, ui::Icon::None),
            ui::Answer::Ok);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "kzdlogsrv: Save Changes?: Line one. Line two?\n"
            "kzdlogsrv: message: Failed to create shared data.\n");
}

TEST_F(HeadlessUiTest, WindowsAndChoosersAnswerNothing) {
  ui::Window presenter;
  testing::internal::CaptureStderr();
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Cancel);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "kzdlogsrv: message: This window is not available in this build.\n");
  EXPECT_EQ(ui_.ChooseOpenFile(ui::FileDialog{"Open", "All Files (*.*)|*.*||", "", "/tmp", "", false, false}), std::nullopt);
  EXPECT_EQ(ui_.ChooseFolder("Folder", "/tmp"), std::nullopt);
  ui_.ShowModeless(presenter);
  ui_.Refresh(presenter);
  ui_.CloseModeless(presenter);
  EXPECT_FALSE(QCoreApplication::instance());
}

TEST_F(HeadlessUiTest, PumpingWithoutEventsSleepsInsteadOfSpinning) {
  const auto start = std::chrono::steady_clock::now();
  const double cpu = CpuSeconds();
  ui_.PumpEvents(std::chrono::milliseconds(300));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_LT(CpuSeconds() - cpu, 0.1);
}

// Under the offscreen platform, with the host's own QApplication.
class OffscreenUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = new QApplication(argc_, argv_);
  }
  static void TearDownTestSuite() {
    delete app_;
    app_ = nullptr;
  }
  // Presses `button` of the next message box once it is shown.
  static void PressInNextBox(QMessageBox::StandardButton button, QString* text) {
    QTimer::singleShot(0, [button, text] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box);
      *text = box->text();
      box->button(button)->click();
    });
  }

  static inline int argc_ = 1;
  static inline char arg0_[] = "test";
  static inline char* argv_[] = {arg0_, nullptr};
  static inline QApplication* app_ = nullptr;
  QtUiService ui_;
};

struct TestPresenter : ui::Window {
  int runs = 0;
};

class TestModelessView : public ModelessView {
 public:
  explicit TestModelessView(int& live, int& refreshes) : live_(live), refreshes_(refreshes) {
    ++live_;
  }
  ~TestModelessView() override { --live_; }
  void Refresh() override { ++refreshes_; }

 private:
  int& live_;
  int& refreshes_;
};

TEST_F(OffscreenUiTest, MessageBoxAnswersTheButtonPressed) {
  QString shown;
  PressInNextBox(QMessageBox::No, &shown);
  EXPECT_EQ(ui_.MessageBox("Save now?", "Save Changes?", ui::Buttons::YesNo, ui::Icon::Question),
            ui::Answer::No);
  EXPECT_EQ(shown, "Save now?");
}

TEST_F(OffscreenUiTest, PresenterWithoutAViewGetsANoticeAndCancel) {
  QString shown;
  PressInNextBox(QMessageBox::Ok, &shown);
  ui::Window presenter;
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Cancel);
  EXPECT_EQ(shown, "This window is not available in this build.");
}

TEST_F(OffscreenUiTest, RegisteredViewsAreFoundByPresenterType) {
  ui_.views().AddModal<TestPresenter>([](TestPresenter& p, QtUiService&) {
    ++p.runs;
    return ui::DialogResult::Ok;
  });
  int live = 0, refreshes = 0;
  ui_.views().AddModeless<TestPresenter>(
      [&](TestPresenter&, QtUiService&) -> std::unique_ptr<ModelessView> {
        return std::make_unique<TestModelessView>(live, refreshes);
      });
  TestPresenter presenter;
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
  EXPECT_EQ(presenter.runs, 1);
  ui_.ShowModeless(presenter);
  ui_.Refresh(presenter);
  EXPECT_EQ(live, 1);
  EXPECT_EQ(refreshes, 1);
  ui_.CloseModeless(presenter);
  EXPECT_EQ(live, 0);
}

TEST_F(OffscreenUiTest, PumpingDispatchesEventsAndBlocksUntilTheDeadline) {
  int fired = 0;
  QTimer::singleShot(50, [&] { ++fired; });
  const auto start = std::chrono::steady_clock::now();
  const double cpu = CpuSeconds();
  ui_.PumpEvents(std::chrono::milliseconds(300));
  EXPECT_EQ(fired, 1);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_LT(CpuSeconds() - cpu, 0.15);
}

TEST(QtTextTest, BytesSurviveTheRoundTripThroughAWidget) {
  EXPECT_EQ(ToQString("d\xC3\xA9j\xC3\xA0"), QString::fromUtf8("d\xC3\xA9j\xC3\xA0"));
  EXPECT_EQ(ToQString("caf\xE9"), QString::fromLatin1("caf\xE9"));
  EXPECT_EQ(FromQString(ToQString("caf\xE9"), "caf\xE9"), "caf\xE9");
  EXPECT_EQ(FromQString(QStringLiteral("new"), "caf\xE9"), "new");
}

TEST(QtFileFilterTest, ChooserFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("Station Project Files (*.kpj)|*.kpj|All Files (*.*)|*.*||"),
            "Station Project Files (*.kpj);;All Files (*.*)");
  EXPECT_EQ(QtFileFilter("Tables|*.dbf;*.DBF||"), "Tables (*.dbf *.DBF)");
  EXPECT_EQ(QtFileFilter(""), "");
}

}  // namespace
}  // namespace kz::qtui
