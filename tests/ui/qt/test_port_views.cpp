#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/udp_cfg.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_psheet.h"
#include "ui/qt/page_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "test_qt_views";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance()) return;
  // Windows without a display, also where ctest's environment does not reach the program.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(argc, argv);
}

template <typename T>
T* Named(const QWidget& parent, const QString& accessible_name) {
  for (T* child : parent.findChildren<T*>()) {
    if (child->accessibleName() == accessible_name) return child;
  }
  return nullptr;
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton button) {
  dialog.findChild<QDialogButtonBox*>()->button(button)->click();
}

class PortViewsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureApplication(); }

  QListWidget& Open(editor::CPortPage& page) {
    page.OnInitDialog();
    PageView* view = (*ui_.views().FindPage(page))(page, ui_, &host_);
    view->Refresh();
    return *view->findChild<QListWidget*>();
  }
  QPushButton& Button(const QString& text) {
    for (QPushButton* b : host_.findChildren<QPushButton*>()) {
      if (b->text() == text) return *b;
    }
    throw std::runtime_error("no button");
  }
  // Acts on the modal dialog that the next action opens, once it shows; dropped with the test.
  void OnNextDialog(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, &host_, [act] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      act(*dialog);
    });
  }
  static QStringList Texts(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
    return out;
  }

  config::CCfgMgr model_;
  QtUiService ui_;
  editor::CCfgPSheet sheet_{&model_, "", ui_};
  QWidget host_;
};

TEST_F(PortViewsTest, UdpPageOpensSortedAddTakesTheTypedPortEnterConfigures) {
  for (int n : {1658, 2000, 10000}) {
    static_cast<config::CIpPortCfg*>(
        model_.AddPort(n == 2000 ? config::PORT_TCP : config::PORT_UDP))
        ->SetPortNumber(n);
  }
  QListWidget& list = Open(sheet_.page2());
  EXPECT_EQ(Texts(list), (QStringList{"TCP2000", "UDP10000", "UDP1658"}));
  EXPECT_EQ(list.currentRow(), 0);

  OnNextDialog([](QDialog& dialog) {
    Named<QComboBox>(dialog, "Type:")->setCurrentIndex(1);
    QLineEdit* number = Named<QLineEdit>(dialog, "Port number:");
    number->clear();
    QTest::keyClicks(number, "2500");
    Press(dialog, QDialogButtonBox::Ok);
  });
  Button("&Add...").click();
  EXPECT_EQ(Texts(list), (QStringList{"TCP2000", "TCP2500", "UDP10000", "UDP1658"}));
  EXPECT_EQ(list.currentItem()->text(), "TCP2500");
  EXPECT_EQ(model_.GetPort(3)->EntryText(), "TCP2500");

  QString shown;
  OnNextDialog([&shown](QDialog& dialog) {
    QLineEdit* number = Named<QLineEdit>(dialog, "Port number:");
    shown = number->text();
    number->setText("1800");
    Press(dialog, QDialogButtonBox::Cancel);
  });
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(shown, "2500");
  EXPECT_EQ(model_.GetPort(3)->EntryText(), "TCP2500");
}

TEST_F(PortViewsTest, ComAddStepsTheNumberAndStoresTheChosenParity) {
  QListWidget& list = Open(sheet_.page3());
  bool flow_hidden = false;
  OnNextDialog([&flow_hidden](QDialog& dialog) {
    dialog.findChild<QAbstractSpinBox*>()->stepUp();
    Named<QComboBox>(dialog, "Parity:")->setCurrentIndex(1);
    flow_hidden = Named<QComboBox>(dialog, "Flow control:")->isHidden();
    Press(dialog, QDialogButtonBox::Ok);
  });
  Button("&Add...").click();
  EXPECT_TRUE(flow_hidden);
  EXPECT_EQ(Texts(list), QStringList{"COM2 9600,8,E,1"});
  EXPECT_EQ(static_cast<config::CSerialCfg*>(model_.GetPort(0))->GetFlow(), "n");

  OnNextDialog([](QDialog& dialog) { Press(dialog, QDialogButtonBox::Cancel); });
  Button("&Add...").click();
  EXPECT_EQ(model_.GetPortCount(), 1);
  EXPECT_EQ(Texts(list), QStringList{"COM2 9600,8,E,1"});
}

}  // namespace
}  // namespace kz::qtui
