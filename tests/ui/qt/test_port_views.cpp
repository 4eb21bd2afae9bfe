#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/udp_cfg.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_psheet.h"
#include "qt_view_test.h"
#include "ui/qt/page_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using test::Named;
using test::Press;

class PortViewsTest : public test::QtViewTest {
 protected:
  QListWidget& Open(editor::CPortPage& page) {
    page.OnInitDialog();
    PageView* view = (*ui_.views().FindPage(page))(page, ui_, &host_);
    view->Refresh();
    return *view->findChild<QListWidget*>();
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

TEST_F(PortViewsTest, UdpPageAddTakesTheTypedPortEnterConfigures) {
  static_cast<config::CIpPortCfg*>(model_.AddPort(config::PORT_UDP))->SetPortNumber(1658);
  QListWidget& list = Open(sheet_.page2());
  EXPECT_EQ(Texts(list), QStringList{"UDP1658"});

  WhenModal<QDialog>([](QDialog& dialog) {
    Named<QComboBox>(&dialog, "Type:")->setCurrentIndex(1);
    QLineEdit* number = Named<QLineEdit>(&dialog, "Port number:");
    number->clear();
    QTest::keyClicks(number, "2500");
    Press(dialog, QDialogButtonBox::Ok);
  });
  Named<QPushButton>(&host_, "Add...")->click();
  EXPECT_EQ(Texts(list), (QStringList{"TCP2500", "UDP1658"}));
  EXPECT_EQ(list.currentItem()->text(), "TCP2500");

  QString shown;
  WhenModal<QDialog>([&shown](QDialog& dialog) {
    QLineEdit* number = Named<QLineEdit>(&dialog, "Port number:");
    shown = number->text();
    number->setText("1800");
    Press(dialog, QDialogButtonBox::Cancel);
  });
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(shown, "2500");
  EXPECT_EQ(model_.GetPort(1)->EntryText(), "TCP2500");
}

TEST_F(PortViewsTest, ComAddStepsTheNumberAndStoresTheChosenParity) {
  QListWidget& list = Open(sheet_.page3());
  bool flow_hidden = false;
  WhenModal<QDialog>([&flow_hidden](QDialog& dialog) {
    dialog.findChild<QAbstractSpinBox*>()->stepUp();
    Named<QComboBox>(&dialog, "Parity:")->setCurrentIndex(1);
    flow_hidden = Named<QComboBox>(&dialog, "Flow control:")->isHidden();
    Press(dialog, QDialogButtonBox::Ok);
  });
  Named<QPushButton>(&host_, "Add...")->click();
  EXPECT_TRUE(flow_hidden);
  EXPECT_EQ(Texts(list), QStringList{"COM2 9600,8,E,1"});
}

}  // namespace
}  // namespace kz::qtui
