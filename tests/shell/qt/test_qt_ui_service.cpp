#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <vector>

#include "support/temp_env.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

TEST(HeadlessUiTest, WithoutADisplayMessagesGoToStderrAndWindowsAnswerCancel) {
  test::ScopedEnv env;
  env.Set("WAYLAND_DISPLAY", nullptr);
  QtUiService ui;
  const struct {
    const char* platform;
    const char* display;
    bool can_show;
  } cases[] = {{"offscreen", nullptr, true},
               {"xcb", ":9876", false},  // no X server behind it: Qt would end the process
               {nullptr, ":9876", false},
               {nullptr, nullptr, false}};  // the state the calls below run in
  for (const auto& c : cases) {
    env.Set("QT_QPA_PLATFORM", c.platform);
    env.Set("DISPLAY", c.display);
    EXPECT_EQ(ui.CanShowWindows(), c.can_show) << "case " << &c - cases;
  }
  ui::Window presenter;
  testing::internal::CaptureStderr();
  EXPECT_EQ(ui.MessageBox("Line one.\nLine two?", "Save Changes?", ui::Buttons::YesNo,
                          ui::Icon::Question),
            ui::Answer::Yes);
  EXPECT_EQ(ui.RunModal(presenter), ui::DialogResult::Cancel);
  EXPECT_EQ(ui.ChooseFolder("Folder", "/tmp"), std::nullopt);
  ui.ShowModeless(presenter);
  ui.CloseModeless(presenter);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "kzdlogsrv: Save Changes?: Line one. Line two?\n"
            "kzdlogsrv: message: This window is not available in this build.\n");
  EXPECT_FALSE(QCoreApplication::instance()) << "asking creates nothing";
}

struct TestPresenter : ui::Window {};
struct ModelessPresenter : ui::Window {};

struct CountedView : ModelessView {
  explicit CountedView(int& refreshes) : refreshes(refreshes) {}
  void Refresh() override { ++refreshes; }
  int& refreshes;
};

// A host without a QApplication: the service makes its own for one window or one (nested)
// call, and owns it while a window shows.
TEST(OwnApplicationTest, ApplicationLivesForOneWindowOrOneCallAndNoLonger) {
  test::ScopedEnv env;
  env.Set("QT_QPA_PLATFORM", "offscreen");
  QtUiService ui;
  std::vector<bool> owned_while_shown;
  ui.views().AddModal<TestPresenter>([&](TestPresenter&, QtUiService& service) {
    owned_while_shown.push_back(service.OwnsApplication() && QApplication::instance());
    return ui::DialogResult::Ok;
  });
  TestPresenter presenter;
  EXPECT_EQ(ui.RunModal(presenter), ui::DialogResult::Ok);
  EXPECT_FALSE(QCoreApplication::instance()) << "gone with the window";
  ui.BeginCall();
  ui.RunModal(presenter);
  ui.BeginCall();
  ui.RunModal(presenter);
  ui.EndCall();
  EXPECT_TRUE(QCoreApplication::instance()) << "kept between the windows of one call";
  ui.EndCall();
  EXPECT_FALSE(QCoreApplication::instance()) << "gone with the call";
  EXPECT_EQ(owned_while_shown, (std::vector<bool>{true, true, true}));
  // A modeless window keeps it past the end of its call, until the window closes.
  int refreshes = 0;
  ui.views().AddModeless<ModelessPresenter>(
      [&](ModelessPresenter&, QtUiService&) -> std::unique_ptr<ModelessView> {
        return std::make_unique<CountedView>(refreshes);
      });
  ModelessPresenter modeless;
  ui.BeginCall();
  ui.ShowModeless(modeless);
  ui.EndCall();
  ui.Refresh(modeless);
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(QCoreApplication::instance());
  ui.CloseModeless(modeless);
  EXPECT_FALSE(QCoreApplication::instance());
}

// Under the offscreen platform, within one call, so on the service's own QApplication.
class OffscreenUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.Set("QT_QPA_PLATFORM", "offscreen");
    ui_.BeginCall();
  }
  void TearDown() override { ui_.EndCall(); }
  // Runs `act` on the next message box once it is shown.
  static void InNextBox(std::function<void(QMessageBox&)> act) {
    QTimer::singleShot(0, [act] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box);
      act(*box);
    });
  }
  test::ScopedEnv env_;
  QtUiService ui_;
};

TEST_F(OffscreenUiTest, MessageBoxAnswersTheButtonPressed) {
  const struct {
    ui::Buttons buttons;
    QMessageBox::StandardButton pressed;
    ui::Answer answer;
  } cases[] = {
      {ui::Buttons::YesNo, QMessageBox::No, ui::Answer::No},
      {ui::Buttons::YesNoCancel, QMessageBox::Cancel, ui::Answer::Cancel},
      {ui::Buttons::RetryCancel, QMessageBox::Retry, ui::Answer::Retry},
      {ui::Buttons::AbortRetryIgnore, QMessageBox::Ignore, ui::Answer::Ignore},
  };
  for (const auto& c : cases) {
    QString shown;
    InNextBox([&](QMessageBox& box) {
      shown = box.text();
      box.button(c.pressed)->click();
    });
    EXPECT_EQ(ui_.MessageBox("Save now?", "", c.buttons, ui::Icon::Question), c.answer);
    EXPECT_EQ(shown, "Save now?");
  }
}

struct OuterPresenter : ui::Window {};
struct InnerPresenter : ui::Window {};

// A view that runs a QDialog over the busy window, notes the dialog and its parent in `seen`,
// and does `inside` while it is shown.
template <typename Presenter>
void AddDialogView(QtUiService& ui, std::vector<QWidget*>& seen, std::function<void()> inside) {
  ui.views().AddModal<Presenter>([&seen, inside](Presenter&, QtUiService& service) {
    QDialog dialog(service.BusyWindow());
    seen.insert(seen.end(), {&dialog, dialog.parentWidget()});
    QTimer::singleShot(0, [&] {
      inside();
      dialog.accept();
    });
    return dialog.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
  });
}

TEST_F(OffscreenUiTest, WindowsOpenedFromADialogBelongToIt) {
  std::vector<QWidget*> seen;
  QWidget* box_parent = nullptr;
  QString caption;
  AddDialogView<InnerPresenter>(ui_, seen, [&] {
    InNextBox([&](QMessageBox& box) {
      box_parent = box.parentWidget();
      caption = box.windowTitle();
      box.button(QMessageBox::Ok)->click();
    });
    ui_.MessageBox("Nested.", "", ui::Buttons::Ok, ui::Icon::Information);
  });
  AddDialogView<OuterPresenter>(ui_, seen, [&] {
    InnerPresenter presenter;
    EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
  });
  OuterPresenter presenter;
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[1], nullptr) << "the first window is owned by no window";
  EXPECT_EQ(seen[3], seen[0]) << "the inner dialog belongs to the outer one";
  EXPECT_EQ(box_parent, seen[2]);
  EXPECT_EQ(caption, "kzdlogsrv") << "an empty caption is the application's title";
  EXPECT_EQ(ui_.BusyWindow(), nullptr);
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
