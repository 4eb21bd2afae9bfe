#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <vector>

#include "support/temp_env.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

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
  EXPECT_EQ(ui_.ChooseOpenFile(
                ui::FileDialog{"Open", "All Files (*.*)|*.*||", "", "/tmp", "", false, false}),
            std::nullopt);
  EXPECT_EQ(ui_.ChooseFolder("Folder", "/tmp"), std::nullopt);
  ui_.ShowModeless(presenter);
  ui_.Refresh(presenter);
  ui_.CloseModeless(presenter);
  EXPECT_FALSE(QCoreApplication::instance());
}

struct TestPresenter : ui::Window {
  int runs = 0;
};

// Counts the views alive and their refreshes.
struct TestModelessView : ModelessView {
  TestModelessView(int& live, int& refreshes) : live(live), refreshes(refreshes) { ++live; }
  ~TestModelessView() override { --live; }
  void Refresh() override { ++refreshes; }
  int& live;
  int& refreshes;
};

// A host without a QApplication: the service makes its own for as long as a call needs it.
class OwnApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.Set("QT_QPA_PLATFORM", "offscreen");
    ui_.views().AddModal<TestPresenter>([this](TestPresenter& p, QtUiService& ui) {
      ++p.runs;
      owned_while_shown_.push_back(ui.OwnsApplication() && QApplication::instance());
      return ui::DialogResult::Ok;
    });
  }
  test::ScopedEnv env_;
  QtUiService ui_;
  std::vector<bool> owned_while_shown_;
};

TEST_F(OwnApplicationTest, ApplicationLivesForOneWindowOrOneCallAndNoLonger) {
  TestPresenter presenter;
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
  EXPECT_FALSE(QCoreApplication::instance()) << "gone with the window";

  ui_.BeginCall();
  ui_.RunModal(presenter);
  EXPECT_TRUE(QCoreApplication::instance()) << "kept between the windows of one call";
  ui_.BeginCall();  // calls nest
  ui_.RunModal(presenter);
  ui_.EndCall();
  EXPECT_TRUE(QCoreApplication::instance());
  ui_.EndCall();
  EXPECT_FALSE(QCoreApplication::instance()) << "gone with the call";
  EXPECT_FALSE(ui_.OwnsApplication());
  EXPECT_EQ(owned_while_shown_, (std::vector<bool>{true, true, true}));
}

TEST_F(OwnApplicationTest, ModelessWindowKeepsTheApplicationUntilItCloses) {
  int live = 0, refreshes = 0;
  ui_.views().AddModeless<TestPresenter>(
      [&](TestPresenter&, QtUiService&) -> std::unique_ptr<ModelessView> {
        return std::make_unique<TestModelessView>(live, refreshes);
      });
  TestPresenter presenter;
  ui_.BeginCall();
  ui_.ShowModeless(presenter);
  ui_.EndCall();
  ui_.Refresh(presenter);
  EXPECT_EQ(live, 1);
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(QCoreApplication::instance());
  ui_.CloseModeless(presenter);
  EXPECT_EQ(live, 0);
  EXPECT_FALSE(QCoreApplication::instance());
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

TEST_F(OffscreenUiTest, MessageBoxAnswersTheButtonPressedAndAViewlessPresenterGetsANotice) {
  QString shown;
  PressInNextBox(QMessageBox::No, &shown);
  EXPECT_EQ(ui_.MessageBox("Save now?", "Save Changes?", ui::Buttons::YesNo, ui::Icon::Question),
            ui::Answer::No);
  EXPECT_EQ(shown, "Save now?");
  PressInNextBox(QMessageBox::Ok, &shown);
  ui::Window presenter;
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Cancel);
  EXPECT_EQ(shown, "This window is not available in this build.");
}

struct OuterPresenter : ui::Window {};
struct InnerPresenter : ui::Window {};

// A view that runs a QDialog over the busy window and does `inside` while it is shown.
template <typename Presenter>
void AddDialogView(QtUiService& ui, QWidget** parent, std::function<void(QDialog&)> inside) {
  ui.views().AddModal<Presenter>([parent, inside](Presenter&, QtUiService& service) {
    QDialog dialog(service.BusyWindow());
    *parent = dialog.parentWidget();
    QTimer::singleShot(0, [&] {
      inside(dialog);
      dialog.accept();
    });
    return dialog.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
  });
}

TEST_F(OffscreenUiTest, WindowsOpenedFromADialogBelongToIt) {
  QWidget* outer_parent = nullptr;
  QWidget* inner_parent = nullptr;
  QWidget* outer = nullptr;
  QWidget* inner = nullptr;
  QWidget* box_parent = nullptr;
  QString caption;
  AddDialogView<InnerPresenter>(ui_, &inner_parent, [&](QDialog& dialog) {
    inner = &dialog;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box);
      box_parent = box->parentWidget();
      caption = box->windowTitle();
      box->button(QMessageBox::Ok)->click();
    });
    ui_.MessageBox("Nested.", "", ui::Buttons::Ok, ui::Icon::Information);
  });
  AddDialogView<OuterPresenter>(ui_, &outer_parent, [&](QDialog& dialog) {
    outer = &dialog;
    InnerPresenter presenter;
    EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
  });
  OuterPresenter presenter;
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
  EXPECT_EQ(outer_parent, nullptr) << "the first window is owned by no window";
  EXPECT_EQ(inner_parent, outer);
  EXPECT_EQ(box_parent, inner);
  EXPECT_EQ(caption, "kzdlogsrv") << "an empty caption is the application's title";
  EXPECT_EQ(ui_.BusyWindow(), nullptr);
}

TEST_F(OffscreenUiTest, PumpingDispatchesEvents) {
  int fired = 0;
  QTimer::singleShot(50, [&] { ++fired; });
  ui_.PumpEvents(std::chrono::milliseconds(300));
  EXPECT_EQ(fired, 1);
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
