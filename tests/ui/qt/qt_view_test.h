// What the view tests share: a QApplication on the offscreen platform for the test program, and
// a way to act on a modal window from inside its own event loop.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace kz::test {

class QtViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QApplication::instance()) app_ = new QApplication(argc_, argv_);
  }
  static void TearDownTestSuite() {
    delete app_;
    app_ = nullptr;
  }

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

 private:
  static inline int argc_ = 1;
  static inline char arg0_[] = "test_qt_views";
  static inline char* argv_[] = {arg0_, nullptr};
  static inline QApplication* app_ = nullptr;
};

}  // namespace kz::test
