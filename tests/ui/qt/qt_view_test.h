// What the view tests share: a QApplication on the offscreen platform for the test program, a
// way to act on a modal window from inside its own event loop, and ways to find controls.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace kz::test {

// Views are tested without a display, also when run outside CTest.
inline void EnsureApplication() {
  static int argc = 1;
  static char arg0[] = "test_qt_views";
  static char* argv[] = {arg0, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!QCoreApplication::instance()) new QApplication(argc, argv);
}

inline void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

// The widget of type W that a screen reader names `name`: by its accessible name, or (lists on
// this platform name themselves by their text) by the label it is the buddy of.
template <typename W>
W* Named(QWidget* root, const QString& name) {
  for (W* w : root->findChildren<W*>()) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (w->accessibleName() == name || (a && a->text(QAccessible::Name) == name)) return w;
  }
  for (QLabel* label : root->findChildren<QLabel*>()) {
    if (label->text().remove('&') != name) continue;
    if (W* w = qobject_cast<W*>(label->buddy())) return w;
  }
  ADD_FAILURE() << "no control named " << name.toStdString();
  return nullptr;
}

class QtViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  // Runs `act` on the innermost modal window as soon as the next modal loop runs. A modal window
  // of another kind is rejected, so that a failing test does not hang.
  template <typename Window>
  static void WhenModal(std::function<void(Window&)> act) {
    QTimer::singleShot(0, [act] {
      auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
      if (!window) {
        ADD_FAILURE() << "no modal window of the expected kind";
        if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
          other->reject();
        }
        return;
      }
      act(*window);
    });
  }

  // Presses `button` of the next message box and keeps its text in `*text` (when not null).
  static void AnswerNextBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModal<QMessageBox>([button, text](QMessageBox& box) {
      if (text) *text = box.text();
      box.button(button)->click();
    });
  }
};

}  // namespace kz::test
