// The Network and Serial port pages and the UDP/TCP and COM dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/udp_cfg.h"
#include "editor/cfg_com.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"
#include "support/scripted_ui.h"

namespace kz::editor {
namespace {

using config::PORT_SERIAL;
using config::PORT_TCP;
using config::PORT_UDP;
using Strings = std::vector<std::string>;
using Snapshot = std::vector<std::tuple<int, int, bool>>;  // kind, number, removed

// A sheet on its own model; the tests drive its port pages and their dialogs.
struct Sheet {
  config::CCfgMgr model;
  test::ScriptedUi ui;
  CCfgPSheet sheet{&model, "", ui};

  // Adds a port of the kind with the number, `removed` marked as asked.
  config::CPortCfg& Port(int type, int number, bool removed = false) {
    config::CPortCfg& port = *model.AddPort(type);
    if (type == PORT_SERIAL) {
      static_cast<config::CSerialCfg&>(port).SetComNumber(number);
    } else {
      static_cast<config::CIpPortCfg&>(port).SetPortNumber(number);
    }
    port.SetRemoved(removed);
    return port;
  }
  Snapshot Ports() const {
    Snapshot out;
    for (int i = 0; i < model.GetPortCount(); ++i) {
      const config::CPortCfg& p = *model.GetPort(i);
      out.emplace_back(p.GetType(), p.GetNumber(), p.IsRemoved());
    }
    return out;
  }
  // Answers the next dialogs of type D as a user would: edits, then OK; a refused OK is followed
  // by Cancel.
  template <typename D>
  void Answer(std::function<void(D&)> edit = [](D&) {}) {
    ui.on_modal = [edit](ui::Window& w) {
      auto& dialog = dynamic_cast<D&>(w);
      dialog.OnInitDialog();
      edit(dialog);
      return dialog.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
    };
  }
};

Strings Texts(const CPortPage& page) {
  Strings out;
  for (const PortLine& line : page.m_lines) out.push_back(line.text);
  return out;
}
std::string Selected(const CPortPage& page) {
  return page.m_nSelected < 0 ? "" : page.m_lines.at(page.m_nSelected).text;
}

// Remove asks, acts only on Yes, and then leaves no line selected.
TEST(PortPages, ListLivePortsInByteOrderAndRemoveOnYesOnly) {
  Sheet s;
  s.Port(PORT_UDP, 1658);
  static_cast<config::CSerialCfg&>(s.Port(PORT_SERIAL, 2)).SetParity("e");
  s.Port(PORT_TCP, 2000);
  s.Port(PORT_UDP, 10000);
  s.Port(PORT_UDP, 1700, true);
  s.Port(PORT_SERIAL, 1);
  CCfgPage2& page = s.sheet.page2();
  page.OnInitDialog();
  s.sheet.page3().OnInitDialog();
  EXPECT_EQ(page.m_lines,
            (std::vector<PortLine>{{"TCP2000", 2}, {"UDP10000", 3}, {"UDP1658", 0}}));
  EXPECT_EQ(s.sheet.page3().m_lines,
            (std::vector<PortLine>{{"COM1 9600,8,N,1", 5}, {"COM2 9600,8,E,1", 1}}));
  EXPECT_EQ(page.m_nSelected, 0);
  EXPECT_EQ(s.sheet.page3().m_nSelected, 0);

  s.ui.answers = {ui::Answer::No, ui::Answer::Yes};
  page.m_nSelected = 1;
  page.OnRemove();
  EXPECT_FALSE(s.model.GetPort(3)->IsRemoved());
  page.OnRemove();
  page.OnRemove();  // no selection: nothing asked
  const test::ScriptedUi::Box question{"Remove selected port?", "", ui::Buttons::YesNo,
                                       ui::Icon::Question};
  EXPECT_EQ(s.ui.boxes, std::vector<test::ScriptedUi::Box>(2, question));
  EXPECT_TRUE(s.model.GetPort(3)->IsRemoved());
  EXPECT_EQ(Texts(page), (Strings{"TCP2000", "UDP1658"}));
}

// How a new port is numbered is the model's; each page adds one of its kind and selects it.
TEST(PortPages, AddSelectsTheNewPortsLine) {
  for (const bool udp : {true, false}) {
    Sheet s;
    s.Port(PORT_UDP, 2000);
    s.Port(PORT_SERIAL, 2);
    CPortPage& page = udp ? static_cast<CPortPage&>(s.sheet.page2()) : s.sheet.page3();
    page.OnInitDialog();
    udp ? s.Answer<CCfgUDP>() : s.Answer<CCfgCOM>();
    page.OnAdd();
    EXPECT_EQ(Selected(page), udp ? "UDP2001" : "COM3 9600,8,N,1");
    EXPECT_EQ(page.m_lines.size(), 2u);
  }
}

// Both dialogs edit the first port of a model with UDP1700, TCP1800 and COM2: numbers must be
// given, in range and unique among ports of the kind (which ports count is the model's test; a
// change of kind to a number in use is TypeChangeReplacesTheRecordOnlyWhenAccepted's).
TEST(PortPages, NumberIsCheckedInOrderAndStoredOnlyWhenAccepted) {
  const std::tuple<int, int, std::string, std::string> cases[] = {
      // port kind, UDP dialog's type, text, message
      {PORT_UDP, CCfgUDP::kTypeUdp, "1658", ""},
      {PORT_UDP, CCfgUDP::kTypeUdp, "", CCfgUDP::kNoNumber},
      {PORT_UDP, CCfgUDP::kTypeUdp, "0", CCfgUDP::kNumberOutOfRange},
      {PORT_UDP, CCfgUDP::kTypeUdp, "65536", CCfgUDP::kNumberOutOfRange},
      {PORT_UDP, CCfgUDP::kTypeUdp, "65535x", ""},
      {PORT_UDP, CCfgUDP::kTypeUdp, "1700", CCfgUDP::kDuplicateNumber},
      {PORT_SERIAL, 0, "", CCfgCOM::kNoNumber},
      {PORT_SERIAL, 0, "2", CCfgCOM::kDuplicateNumber},
      {PORT_SERIAL, 0, "1", ""},
  };
  for (const auto& [kind, type, text, message] : cases) {
    SCOPED_TRACE(testing::Message() << kind << " " << type << " \"" << text << '"');
    Sheet s;
    config::CPortCfg& edited = s.Port(kind, kind == PORT_UDP ? 1658 : 1);
    s.Port(PORT_UDP, 1700);
    s.Port(PORT_TCP, 1800);
    s.Port(PORT_SERIAL, 2);
    const Snapshot before = s.Ports();
    bool ok;
    bool focus;
    if (kind == PORT_UDP) {
      CCfgUDP udp(s.sheet.page2(), static_cast<config::CIpPortCfg&>(edited), s.model);
      udp.OnInitDialog();
      udp.m_nType = type;
      udp.m_strPortNumber = text;
      ok = udp.OnOK();
      focus = udp.focus() == CCfgUDP::kPortNumberEdit;
    } else {
      CCfgCOM com(s.sheet.page3(), static_cast<config::CSerialCfg&>(edited), s.model);
      com.OnInitDialog();
      com.m_strComNumber = text;
      ok = com.OnOK();
      focus = com.focus() == CCfgCOM::kComNumberEdit;
    }
    EXPECT_EQ(ok, message.empty());
    if (ok) {
      EXPECT_TRUE(s.ui.boxes.empty());
      const config::CPortCfg& port = *s.model.GetPort(0);
      EXPECT_EQ(port.GetNumber(), std::stoi(text));
      EXPECT_EQ(port.GetType(), type == CCfgUDP::kTypeTcp ? PORT_TCP : kind);
    } else {
      EXPECT_EQ(s.ui.boxes, (std::vector<test::ScriptedUi::Box>{
                                {message, "Error", ui::Buttons::Ok, ui::Icon::None}}));
      EXPECT_TRUE(focus) << "on the number";
      EXPECT_EQ(s.Ports(), before);
    }
  }
}

// Cancel after a refused change of kind (TCP 1659 is taken), in an Add and in a Configure by
// double click, leaves the ports as they were; an accepted one replaces the record at its index.
TEST(PortPages, TypeChangeReplacesTheRecordOnlyWhenAccepted) {
  Sheet s;
  s.Port(PORT_TCP, 1659);
  s.Port(PORT_UDP, 1658);
  const Snapshot before = s.Ports();
  CCfgPage2& page = s.sheet.page2();
  page.OnInitDialog();
  s.Answer<CCfgUDP>([](CCfgUDP& d) {
    d.m_nType = CCfgUDP::kTypeTcp;
    d.m_strPortNumber = "1659";
  });
  page.OnAdd();
  page.m_nSelected = 1;  // UDP1658
  page.OnDblClk();
  EXPECT_EQ(s.ui.Texts(), Strings(2, CCfgUDP::kDuplicateNumber));
  EXPECT_EQ(s.Ports(), before);
  EXPECT_EQ(Texts(page), (Strings{"TCP1659", "UDP1658"}));

  s.Answer<CCfgUDP>([](CCfgUDP& d) { d.m_nType = CCfgUDP::kTypeTcp; });
  page.m_nSelected = 1;
  page.OnConfigure();
  EXPECT_EQ(s.Ports(),
            (Snapshot{{PORT_TCP, 1659, false}, {PORT_TCP, 1658, false}, {PORT_UDP, 1658, true}}));
  EXPECT_EQ(Texts(page), (Strings{"TCP1658", "TCP1659"}));
  EXPECT_EQ(Selected(page), "TCP1658");
}

// Values no list offers select the first entry; flow is stored as none whatever was read. The
// accepted line is rewritten in its place on the page.
TEST(PortPages, ComDialogSelectsByStoredValueAndStoresFlowNone) {
  const std::pair<Strings, std::vector<int>> cases[] = {
      // baud, data, parity, stop, flow
      {{"38400", "8", "s", "2", "x"}, {3, 0, 4, 1, 2}},
      {{"1234", "9", "q", "3", "z"}, {0, 1, 0, 0, 0}}};
  for (const auto& [stored, selected] : cases) {
    Sheet s;
    auto& port = static_cast<config::CSerialCfg&>(s.Port(PORT_SERIAL, 4));
    port.SetBaud(stored[0]);
    port.SetDataBits(stored[1]);
    port.SetParity(stored[2]);
    port.SetStopBits(stored[3]);
    port.SetFlow(stored[4]);
    CCfgPage3& page = s.sheet.page3();
    page.OnInitDialog();
    s.Answer<CCfgCOM>([&](CCfgCOM& d) {
      EXPECT_EQ((std::vector<int>{d.m_nBaud, d.m_nDataBits, d.m_nParity, d.m_nStopBits, d.m_nFlow}),
                selected);
      EXPECT_FALSE(d.m_bFlowVisible);
      d.m_nParity = 3;
    });
    page.OnConfigure();
    EXPECT_EQ(port.GetFlow(), "n");
    EXPECT_EQ(port.GetParity(), "m");
    EXPECT_EQ(port.GetBaud(), CCfgCOM::kBauds.at(selected[0]).stored);
    EXPECT_EQ(Texts(page), Strings{"COM4 " + port.GetBaud() + "," + port.GetDataBits() + ",M," +
                                   port.GetStopBits()});
  }
}

}  // namespace
}  // namespace kz::editor
