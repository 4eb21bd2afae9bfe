#include <gtest/gtest.h>

#include <functional>
#include <memory>
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

TEST(PortPages, ListLivePortsInByteOrderWithTheFirstSelected) {
  Sheet s;
  s.Port(PORT_UDP, 1658);
  static_cast<config::CSerialCfg&>(s.Port(PORT_SERIAL, 2)).SetParity("e");
  s.Port(PORT_TCP, 2000);
  s.Port(PORT_UDP, 10000);
  s.Port(PORT_UDP, 1700, true);
  s.Port(PORT_SERIAL, 1);
  s.sheet.page2().OnInitDialog();
  s.sheet.page3().OnInitDialog();
  EXPECT_EQ(s.sheet.page2().m_lines,
            (std::vector<PortLine>{{"TCP2000", 2}, {"UDP10000", 3}, {"UDP1658", 0}}));
  EXPECT_EQ(s.sheet.page3().m_lines,
            (std::vector<PortLine>{{"COM1 9600,8,N,1", 5}, {"COM2 9600,8,E,1", 1}}));
  EXPECT_EQ(s.sheet.page2().m_nSelected, 0);
  EXPECT_EQ(s.sheet.page3().m_nSelected, 0);
}

TEST(PortPages, AddNumbersTheNewPortAndSelectsItsLine) {
  const std::tuple<std::vector<int>, int, std::string> cases[] = {
      {{}, PORT_UDP, "UDP1658"},
      {{1658, 2000}, PORT_UDP, "UDP2001"},
      {{1000}, PORT_UDP, "UDP1658"},
      {{}, PORT_SERIAL, "COM1 9600,8,N,1"}};
  for (const auto& [udp, type, line] : cases) {
    Sheet s;
    for (int n : udp) s.Port(PORT_UDP, n);
    CPortPage& page = type == PORT_UDP ? static_cast<CPortPage&>(s.sheet.page2()) : s.sheet.page3();
    page.OnInitDialog();
    type == PORT_UDP ? s.Answer<CCfgUDP>() : s.Answer<CCfgCOM>();
    page.OnAdd();
    EXPECT_EQ(Selected(page), line);
    EXPECT_EQ(page.m_lines.size(), udp.size() + 1);
  }
}

TEST(PortPages, UdpDialogChecksInOrderAndStoresTheNumber) {
  const std::tuple<int, std::string, std::string> cases[] = {
      // type, text, message
      {CCfgUDP::kTypeUdp, "1658", ""},
      {CCfgUDP::kTypeUdp, "", CCfgUDP::kNoNumber},
      {CCfgUDP::kTypeUdp, "0", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "65536", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "abc", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "65535x", ""},
      {CCfgUDP::kTypeUdp, "1700", CCfgUDP::kDuplicateNumber},
      {CCfgUDP::kTypeUdp, "1800", ""},
      {CCfgUDP::kTypeUdp, "1900", ""},
      {CCfgUDP::kTypeTcp, "1800", CCfgUDP::kDuplicateNumber},
      {CCfgUDP::kTypeTcp, "1700", ""},
  };
  for (const auto& [type, text, message] : cases) {
    SCOPED_TRACE(text);
    Sheet s;
    auto& record = static_cast<config::CIpPortCfg&>(s.Port(PORT_UDP, 1658));
    s.Port(PORT_UDP, 1700);
    s.Port(PORT_TCP, 1800);
    s.Port(PORT_UDP, 1900, true);
    const Snapshot before = s.Ports();
    CCfgUDP dialog(s.sheet.page2(), record, s.model);
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.m_strPortNumber, "1658");
    dialog.m_nType = type;
    dialog.m_strPortNumber = text;
    const bool ok = dialog.OnOK();
    EXPECT_EQ(ok, message.empty());
    if (ok) {
      EXPECT_TRUE(s.ui.boxes.empty());
      EXPECT_EQ(dialog.port().GetPortNumber(), std::stoi(text));
      EXPECT_EQ(dialog.port().GetType(), type == CCfgUDP::kTypeUdp ? PORT_UDP : PORT_TCP);
      EXPECT_EQ(s.model.GetPort(0), &dialog.port());
    } else {
      EXPECT_EQ(s.ui.boxes, (std::vector<test::ScriptedUi::Box>{
                                {message, "Error", ui::Buttons::Ok, ui::Icon::None}}));
      EXPECT_EQ(dialog.focus(), CCfgUDP::kPortNumberEdit);
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
    CCfgCOM dialog(s.sheet.page3(), port, s.model);
    dialog.OnInitDialog();
    EXPECT_EQ((std::vector<int>{dialog.m_nBaud, dialog.m_nDataBits, dialog.m_nParity,
                                dialog.m_nStopBits, dialog.m_nFlow}),
              selected);
    EXPECT_FALSE(dialog.m_bFlowVisible);
    dialog.m_nParity = 3;
    ASSERT_TRUE(dialog.OnOK());
    EXPECT_EQ(port.GetFlow(), "n");
    EXPECT_EQ(port.GetParity(), "m");
    EXPECT_EQ(port.GetBaud(), CCfgCOM::kBauds.at(selected[0]).stored);
  }
}

TEST(PortPages, ComNumberMustBeGivenAndUniqueAmongLivePorts) {
  Sheet s;
  s.Port(PORT_SERIAL, 1);
  s.Port(PORT_SERIAL, 2);
  CCfgPage3& page = s.sheet.page3();
  page.OnInitDialog();
  // The last line edited; COM1 is live until the last case removes it.
  const std::pair<std::string, std::string> cases[] = {
      {"", CCfgCOM::kNoNumber}, {"1", CCfgCOM::kDuplicateNumber}, {"2", ""}, {"3", ""}, {"1", ""}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [text, message] = cases[i];
    SCOPED_TRACE(i);
    if (i + 1 == std::size(cases)) {
      page.m_nSelected = 0;
      page.OnRemove();  // COM1, answered Yes
    }
    s.ui.boxes.clear();
    page.m_nSelected = static_cast<int>(page.m_lines.size()) - 1;
    s.Answer<CCfgCOM>([&](CCfgCOM& d) { d.m_strComNumber = text; });
    page.OnConfigure();
    if (message.empty()) {
      EXPECT_TRUE(s.ui.boxes.empty());
      EXPECT_EQ(Selected(page), "COM" + text + " 9600,8,N,1");
    } else {
      EXPECT_EQ(s.ui.Texts(), Strings{message});
    }
  }
  EXPECT_EQ(Texts(page), Strings{"COM1 9600,8,N,1"});  // rewritten in its place
}

TEST(PortPages, RemoveAsksAndActsOnlyOnYes) {
  for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
    Sheet s;
    s.Port(PORT_UDP, 1658);
    s.Port(PORT_UDP, 1659);
    CCfgPage2& page = s.sheet.page2();
    page.OnInitDialog();
    page.m_nSelected = 1;
    s.ui.answers = {answer};
    page.OnRemove();
    page.m_nSelected = -1;
    page.OnRemove();  // no selection: nothing asked
    EXPECT_EQ(s.ui.boxes,
              (std::vector<test::ScriptedUi::Box>{
                  {"Remove selected port?", "", ui::Buttons::YesNo, ui::Icon::Question}}));
    const bool yes = answer == ui::Answer::Yes;
    EXPECT_EQ(s.model.GetPort(1)->IsRemoved(), yes);
    EXPECT_EQ(Texts(page), (yes ? Strings{"UDP1658"} : Strings{"UDP1658", "UDP1659"}));
  }
}

}  // namespace
}  // namespace kz::editor
