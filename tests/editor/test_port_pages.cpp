#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/tcp_cfg.h"
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
using Snapshot = std::vector<std::tuple<int, int, bool>>;  // kind, number, removed

class PortPagesTest : public ::testing::Test {
 protected:
  // A port of the kind with the number; `removed` marks it.
  config::CPortCfg& Port(int type, int number, bool removed = false) {
    config::CPortCfg& port = *model_.AddPort(type);
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
    for (int i = 0; i < model_.GetPortCount(); ++i) {
      const config::CPortCfg& p = *model_.GetPort(i);
      out.emplace_back(p.GetType(), p.GetNumber(), p.IsRemoved());
    }
    return out;
  }
  static std::vector<std::string> Texts(const CPortPage& page) {
    std::vector<std::string> out;
    for (const PortLine& line : page.m_lines) out.push_back(line.text);
    return out;
  }
  static std::string Selected(const CPortPage& page) {
    return page.m_nSelected < 0 ? "" : page.m_lines[static_cast<std::size_t>(page.m_nSelected)].text;
  }
  // Answers the next dialogs of type D as a user would: edits, then OK, which may be refused;
  // a refused dialog is then cancelled.
  template <typename D>
  void Answer(std::function<void(D&)> edit) {
    ui_.on_modal = [edit](ui::Window& w) {
      auto& dialog = dynamic_cast<D&>(w);
      dialog.OnInitDialog();
      edit(dialog);
      return dialog.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
    };
  }

  config::CCfgMgr model_;
  test::ScriptedUi ui_;
  std::vector<std::uint32_t> help_;
  CCfgPSheet sheet_{&model_, "", ui_, [this](std::uint32_t id) { help_.push_back(id); }};
};

TEST_F(PortPagesTest, ListsShowLivePortsInByteOrderWithTheFirstSelected) {
  Port(PORT_UDP, 1658);
  Port(PORT_SERIAL, 2);
  static_cast<config::CSerialCfg&>(*model_.GetPort(1)).SetParity("e");
  Port(PORT_TCP, 2000);
  Port(PORT_UDP, 10000);
  Port(PORT_UDP, 1700, true);
  Port(PORT_SERIAL, 1);
  sheet_.page2().OnInitDialog();
  sheet_.page3().OnInitDialog();
  EXPECT_EQ(sheet_.page2().m_lines,
            (std::vector<PortLine>{{"TCP2000", 2}, {"UDP10000", 3}, {"UDP1658", 0}}));
  EXPECT_EQ(sheet_.page3().m_lines,
            (std::vector<PortLine>{{"COM1 9600,8,N,1", 5}, {"COM2 9600,8,E,1", 1}}));
  EXPECT_EQ(sheet_.page2().m_nSelected, 0);
  EXPECT_EQ(sheet_.page3().m_nSelected, 0);
}

TEST_F(PortPagesTest, AddNumbersTheNewPortAndSelectsIt) {
  struct Case {
    std::vector<int> udp;
    int type;
    std::string line;
  };
  const Case cases[] = {{{}, PORT_UDP, "UDP1658"},
                        {{1658, 2000}, PORT_UDP, "UDP2001"},
                        {{1000}, PORT_UDP, "UDP1658"},
                        {{}, PORT_SERIAL, "COM1 9600,8,N,1"}};
  for (const Case& c : cases) {
    config::CCfgMgr model;
    CCfgPSheet sheet(&model, "", ui_);
    for (int n : c.udp) static_cast<config::CIpPortCfg*>(model.AddPort(PORT_UDP))->SetPortNumber(n);
    CPortPage& page = c.type == PORT_UDP ? static_cast<CPortPage&>(sheet.page2()) : sheet.page3();
    page.OnInitDialog();
    Answer<CCfgUDP>([](CCfgUDP&) {});
    if (c.type == PORT_SERIAL) Answer<CCfgCOM>([](CCfgCOM&) {});
    page.OnAdd();
    EXPECT_EQ(Selected(page), c.line);
    EXPECT_EQ(page.m_lines.size(), c.udp.size() + 1);
  }
}

TEST_F(PortPagesTest, UdpDialogChecksInOrderAndStoresTheNumber) {
  struct Case {
    int type;
    std::string text;
    std::string message;  // empty: accepted
  };
  // The record is UDP 1658; live UDP 1700 and TCP 1800; UDP 1900 removed.
  const Case cases[] = {
      {CCfgUDP::kTypeUdp, "1658", ""},
      {CCfgUDP::kTypeUdp, "", CCfgUDP::kNoNumber},
      {CCfgUDP::kTypeUdp, "0", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "65536", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "-80", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "abc", CCfgUDP::kNumberOutOfRange},
      {CCfgUDP::kTypeUdp, "1", ""},
      {CCfgUDP::kTypeUdp, "65535x", ""},
      {CCfgUDP::kTypeUdp, "1700", CCfgUDP::kDuplicateNumber},
      {CCfgUDP::kTypeUdp, "1800", ""},
      {CCfgUDP::kTypeUdp, "1900", ""},
      {CCfgUDP::kTypeTcp, "1800", CCfgUDP::kDuplicateNumber},
      {CCfgUDP::kTypeTcp, "1700", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    config::CCfgMgr model;
    CCfgPSheet sheet(&model, "", ui_);
    auto& record = static_cast<config::CIpPortCfg&>(*model.AddPort(PORT_UDP));
    static_cast<config::CIpPortCfg*>(model.AddPort(PORT_UDP))->SetPortNumber(1700);
    static_cast<config::CIpPortCfg*>(model.AddPort(PORT_TCP))->SetPortNumber(1800);
    auto* removed = static_cast<config::CIpPortCfg*>(model.AddPort(PORT_UDP));
    removed->SetPortNumber(1900);
    removed->SetRemoved(true);
    ui_.boxes.clear();

    CCfgUDP dialog(sheet.page2(), record, model);
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.m_strPortNumber, "1658");
    dialog.m_nType = c.type;
    dialog.m_strPortNumber = c.text;
    const bool ok = dialog.OnOK();
    EXPECT_EQ(ok, c.message.empty());
    if (ok) {
      EXPECT_TRUE(ui_.boxes.empty());
      const int number = std::stoi(c.text);
      EXPECT_EQ(dialog.port().GetPortNumber(), number);
      EXPECT_EQ(dialog.port().GetType(), c.type == CCfgUDP::kTypeUdp ? PORT_UDP : PORT_TCP);
      EXPECT_EQ(model.GetPort(0), &dialog.port());
    } else {
      EXPECT_EQ(ui_.boxes, (std::vector<test::ScriptedUi::Box>{
                               {c.message, "Error", ui::Buttons::Ok, ui::Icon::None}}));
      EXPECT_EQ(dialog.focus(), CCfgUDP::kPortNumberEdit);
      EXPECT_EQ(record.GetPortNumber(), 1658);
      EXPECT_EQ(model.GetPortCount(), 4);
    }
  }
}

TEST_F(PortPagesTest, TypeChangeReplacesTheRecordAtItsIndex) {
  Port(PORT_TCP, 1700);
  Port(PORT_UDP, 1658);
  sheet_.page2().OnInitDialog();
  sheet_.page2().m_nSelected = 1;  // UDP1658
  Answer<CCfgUDP>([](CCfgUDP& d) { d.m_nType = CCfgUDP::kTypeTcp; });
  sheet_.page2().OnConfigure();
  EXPECT_EQ(Ports(), (Snapshot{{PORT_TCP, 1700, false}, {PORT_TCP, 1658, false},
                               {PORT_UDP, 1658, true}}));
  EXPECT_EQ(Texts(sheet_.page2()), (std::vector<std::string>{"TCP1658", "TCP1700"}));
  EXPECT_EQ(Selected(sheet_.page2()), "TCP1658");
}

TEST_F(PortPagesTest, CancelLeavesThePortListAsItWas) {
  Port(PORT_UDP, 1658);
  Port(PORT_TCP, 1659);
  Port(PORT_SERIAL, 1);
  const Snapshot before = Ports();
  // A refused type change (TCP 1659 is taken), then Cancel.
  const auto refused_change = [](CCfgUDP& d) {
    d.m_nType = CCfgUDP::kTypeTcp;
    d.m_strPortNumber = "1659";
  };
  const std::function<void()> runs[] = {
      [&] { sheet_.page2().OnAdd(); },
      [&] {
        Answer<CCfgUDP>(refused_change);
        sheet_.page2().OnAdd();
      },
      [&] {
        Answer<CCfgUDP>(refused_change);
        sheet_.page2().OnConfigure();
      },
      [&] { sheet_.page3().OnAdd(); },
  };
  sheet_.page2().OnInitDialog();
  sheet_.page3().OnInitDialog();
  for (const auto& run : runs) {
    ui_.on_modal = nullptr;
    const std::size_t runs_before = ui_.modal_runs.size();
    run();
    EXPECT_EQ(ui_.modal_runs.size(), runs_before + 1);
    EXPECT_EQ(Ports(), before);
  }
  EXPECT_EQ(Texts(sheet_.page2()), (std::vector<std::string>{"TCP1659", "UDP1658"}));
}

TEST_F(PortPagesTest, ComDialogSelectsByStoredValueAndStoresFlowNone) {
  struct Case {
    std::vector<std::string> stored;  // baud, data bits, parity, stop bits, flow
    std::vector<int> selected;
  };
  const Case cases[] = {{{"38400", "8", "s", "2", "x"}, {3, 0, 4, 1, 2}},
                        {{"57600", "7", "o", "1", "h"}, {4, 1, 2, 0, 1}},
                        {{"1234", "9", "q", "3", "z"}, {0, 1, 0, 0, 0}}};
  for (const Case& c : cases) {
    auto& port = static_cast<config::CSerialCfg&>(Port(PORT_SERIAL, 4));
    port.SetBaud(c.stored[0]);
    port.SetDataBits(c.stored[1]);
    port.SetParity(c.stored[2]);
    port.SetStopBits(c.stored[3]);
    port.SetFlow(c.stored[4]);
    CCfgCOM dialog(sheet_.page3(), port, model_);
    dialog.OnInitDialog();
    EXPECT_EQ((std::vector<int>{dialog.m_nBaud, dialog.m_nDataBits, dialog.m_nParity,
                                dialog.m_nStopBits, dialog.m_nFlow}),
              c.selected);
    EXPECT_FALSE(dialog.m_bFlowVisible);
    dialog.m_nParity = 3;
    ASSERT_TRUE(dialog.OnOK());
    EXPECT_EQ(port.GetFlow(), "n");
    EXPECT_EQ(port.GetParity(), "m");
    EXPECT_EQ(port.GetBaud(), CCfgCOM::kBauds[static_cast<std::size_t>(c.selected[0])].stored);
    port.SetRemoved(true);
  }
}

TEST_F(PortPagesTest, ComNumberMustBeGivenAndUniqueAmongLivePorts) {
  Port(PORT_SERIAL, 1);
  Port(PORT_SERIAL, 2);
  sheet_.page3().OnInitDialog();
  struct Case {
    std::string text;
    std::string message;
  };
  // COM2 (the second line) edited; COM1 is live until the last case removes it.
  const Case cases[] = {{"", CCfgCOM::kNoNumber},
                        {"1", CCfgCOM::kDuplicateNumber},
                        {"2", ""},
                        {"3", ""},
                        {"1", ""}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    if (i + 1 == std::size(cases)) {
      sheet_.page3().m_nSelected = 0;
      sheet_.page3().OnRemove();  // COM1, answered Yes
    }
    ui_.boxes.clear();
    sheet_.page3().m_nSelected = static_cast<int>(sheet_.page3().m_lines.size()) - 1;
    Answer<CCfgCOM>([&](CCfgCOM& d) { d.m_strComNumber = c.text; });
    sheet_.page3().OnConfigure();
    if (c.message.empty()) {
      EXPECT_TRUE(ui_.boxes.empty());
      EXPECT_EQ(Selected(sheet_.page3()), "COM" + c.text + " 9600,8,N,1");
    } else {
      EXPECT_EQ(ui_.Texts(), std::vector<std::string>{c.message});
      EXPECT_EQ(ui_.boxes[0].caption, "Error");
    }
  }
  // Configure rewrote the line in its place.
  EXPECT_EQ(Texts(sheet_.page3()), std::vector<std::string>{"COM1 9600,8,N,1"});
}

TEST_F(PortPagesTest, SpinStepsWithinItsRange) {
  const std::tuple<std::string, int, std::string> cases[] = {
      {"1", 1, "2"}, {"0", -1, "0"}, {"255", 1, "255"}, {"300", -1, "255"}, {"x", 1, "1"}};
  CCfgCOM dialog(sheet_.page3(), static_cast<config::CSerialCfg&>(Port(PORT_SERIAL, 1)), model_);
  for (const auto& [text, steps, expected] : cases) {
    dialog.m_strComNumber = text;
    dialog.OnSpin(steps);
    EXPECT_EQ(dialog.m_strComNumber, expected) << text;
  }
}

TEST_F(PortPagesTest, RemoveAsksAndActsOnlyOnYes) {
  for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
    config::CCfgMgr model;
    CCfgPSheet sheet(&model, "", ui_);
    model.AddPort(PORT_UDP);
    model.AddPort(PORT_UDP);
    sheet.page2().OnInitDialog();
    ui_.boxes.clear();
    sheet.page2().m_nSelected = 1;  // UDP1659
    ui_.answers = {answer};
    sheet.page2().OnRemove();
    EXPECT_EQ(ui_.boxes, (std::vector<test::ScriptedUi::Box>{{"Remove selected port?", "",
                                                               ui::Buttons::YesNo,
                                                               ui::Icon::Question}}));
    const bool yes = answer == ui::Answer::Yes;
    EXPECT_EQ(model.GetPort(1)->IsRemoved(), yes);
    const std::vector<std::string> left =
        yes ? std::vector<std::string>{"UDP1658"} : std::vector<std::string>{"UDP1658", "UDP1659"};
    EXPECT_EQ(Texts(sheet.page2()), left);
    // Without a selection nothing is asked.
    sheet.page2().m_nSelected = -1;
    sheet.page2().OnRemove();
    EXPECT_EQ(ui_.boxes.size(), 1u);
  }
}

TEST_F(PortPagesTest, DoubleClickConfiguresTheSelectedPortAndHelpOpensTheDialogsTopic) {
  Port(PORT_UDP, 1658);
  Port(PORT_SERIAL, 1);
  sheet_.page2().OnInitDialog();
  sheet_.page3().OnInitDialog();
  ui_.on_modal = [](ui::Window& w) {
    dynamic_cast<CPortDialog&>(w).OnHelp();
    return ui::DialogResult::Cancel;
  };
  sheet_.page2().OnDblClk();
  sheet_.page3().OnDblClk();
  sheet_.page3().m_nSelected = -1;
  sheet_.page3().OnDblClk();
  EXPECT_EQ(help_, (std::vector<std::uint32_t>{0x20000 + 202, 0x20000 + 203}));
}

}  // namespace
}  // namespace kz::editor
