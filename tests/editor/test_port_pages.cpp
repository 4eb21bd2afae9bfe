// The Network and Serial port pages and the UDP/TCP and COM dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "editor/cfg_com.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"
#include "platform/profile_document.h"
#include "support/scripted_ui.h"

namespace kz::editor {
namespace {

using Strings = std::vector<std::string>;

// A sheet on a model loaded from [ports] lines, whose port pages and dialogs the tests drive.
struct Sheet {
  explicit Sheet(const std::string& ports) {
    model.Load(platform::ProfileDocument("[ports]\r\n" + ports));
  }
  // Each port's entry text, "-" after a removed one.
  std::string Ports() const {
    std::string out;
    for (int i = 0; i < model.GetPortCount(); ++i) {
      out += model.GetPort(i)->EntryText() + (model.GetPort(i)->IsRemoved() ? "- " : " ");
    }
    return out;
  }
  // Answers the next D as a user would: edits, then OK; a refused OK is followed by Cancel.
  template <typename D>
  void Answer(std::function<void(D&)> edit = [](D&) {}) {
    ui.on_modal = [edit](ui::Window& w) {
      auto& dialog = dynamic_cast<D&>(w);
      dialog.OnInitDialog();
      edit(dialog);
      return dialog.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
    };
  }

  config::CCfgMgr model;
  test::ScriptedUi ui;
  CCfgPSheet sheet{&model, "", ui};
};

// The page's lines in order, the selected one between brackets.
std::string Lines(const CPortPage& page) {
  std::string out;
  for (std::size_t i = 0; i < page.m_lines.size(); ++i) {
    const std::string& text = page.m_lines[i].text;
    out += static_cast<int>(i) == page.m_nSelected ? "[" + text + "] " : text + " ";
  }
  return out;
}

// Remove asks, acts only on Yes, and then leaves no line selected.
TEST(PortPages, ListLivePortsInByteOrderAndRemoveOnYesOnly) {
  Sheet s(
      "0=UDP1658\r\n1=COM2\r\n2=TCP2000\r\n3=UDP10000\r\n4=UDP1700\r\n5=COM1\r\n"
      "[COM2]\r\nparity=e\r\n");
  s.model.RemovePort(4);
  CCfgPage2& page = s.sheet.page2();
  page.OnInitDialog();
  s.sheet.page3().OnInitDialog();
  EXPECT_EQ(page.m_lines, (std::vector<PortLine>{{"TCP2000", 2}, {"UDP10000", 3}, {"UDP1658", 0}}));
  EXPECT_EQ(s.sheet.page3().m_lines,
            (std::vector<PortLine>{{"COM1 9600,8,N,1", 5}, {"COM2 9600,8,E,1", 1}}));
  EXPECT_EQ(std::tie(page.m_nSelected, s.sheet.page3().m_nSelected), std::make_tuple(0, 0));

  s.ui.answers = {ui::Answer::No, ui::Answer::Yes};
  page.m_nSelected = 1;
  page.OnRemove();  // No
  page.OnRemove();  // Yes
  page.OnRemove();  // no selection: nothing asked
  EXPECT_EQ(s.ui.boxes,
            std::vector<test::ScriptedUi::Box>(
                2, {"Remove selected port?", "", ui::Buttons::YesNo, ui::Icon::Question}));
  EXPECT_TRUE(s.model.GetPort(3)->IsRemoved());
  EXPECT_EQ(Lines(page), "TCP2000 UDP1658 ");
}

// Add opens the dialog on a new port of the page's kind, whose number must be given, in 1 to 65535
// (UDP/TCP, read from its leading digits) and unique among live ports of the kind. A refusal is an
// "Error" box that focuses the number and stores nothing; the accepted port's line is selected.
TEST(PortPages, AddAndConfigureCheckTheNumberAndChangeTheKindOnlyWhenAccepted) {
  Sheet s("0=UDP1700\r\n1=TCP65535\r\n2=COM2\r\n3=COM3\r\n4=TCP1659\r\n");
  s.model.RemovePort(3);  // its number is free again
  CCfgPage2& udp = s.sheet.page2();
  CCfgPage3& com = s.sheet.page3();
  udp.OnInitDialog();
  com.OnInitDialog();
  const auto refuse = [&s](auto& dialog, std::string& number, int control, const Strings& texts) {
    const std::string before = s.Ports();
    for (const std::string& text : texts) {
      number = text;
      dialog.ClearFocus();
      EXPECT_FALSE(dialog.OnOK());
      EXPECT_EQ(dialog.focus(), control);
    }
    EXPECT_EQ(s.Ports(), before);
  };
  s.Answer<CCfgUDP>([&](CCfgUDP& d) {
    EXPECT_EQ(std::tie(d.m_nType, d.m_strPortNumber), std::make_tuple(CCfgUDP::kTypeUdp, "1701"));
    refuse(d, d.m_strPortNumber, CCfgUDP::kPortNumberEdit, {"", "0", "65536", "1700"});
    d.m_strPortNumber = "65535x";
  });
  udp.OnAdd();
  s.Answer<CCfgCOM>([&](CCfgCOM& d) {
    EXPECT_EQ(d.m_strComNumber, "4");
    refuse(d, d.m_strComNumber, CCfgCOM::kComNumberEdit, {"", "2"});
    d.m_strComNumber = "3";
  });
  com.OnAdd();
  EXPECT_EQ(Lines(com), "COM2 9600,8,N,1 [COM3 9600,8,N,1] ");

  // A change of kind to a taken number, in an Add and in a Configure by double click, ends in
  // Cancel and leaves the ports as they were; an accepted one replaces the record at its index.
  const std::string before = s.Ports();
  s.Answer<CCfgUDP>([](CCfgUDP& d) {
    d.m_nType = CCfgUDP::kTypeTcp;
    d.m_strPortNumber = "1659";  // free among UDP ports
  });
  udp.OnAdd();
  udp.m_nSelected = 2;  // UDP1700
  udp.OnDblClk();
  s.Answer<CCfgUDP>();  // its own number is no duplicate
  udp.OnConfigure();
  EXPECT_EQ(s.Ports(), before);
  s.Answer<CCfgUDP>([](CCfgUDP& d) { d.m_nType = CCfgUDP::kTypeTcp; });
  udp.OnConfigure();
  EXPECT_EQ(s.Ports(), "TCP1700 UDP1700- TCP65535 COM2 COM3- TCP1659 UDP65535 COM3 ");
  EXPECT_EQ(Lines(udp), "TCP1659 [TCP1700] TCP65535 UDP65535 ");
  EXPECT_EQ(s.ui.Texts(),
            (Strings{CCfgUDP::kNoNumber, CCfgUDP::kNumberOutOfRange, CCfgUDP::kNumberOutOfRange,
                     CCfgUDP::kDuplicateNumber, CCfgCOM::kNoNumber, CCfgCOM::kDuplicateNumber,
                     CCfgUDP::kDuplicateNumber, CCfgUDP::kDuplicateNumber}));
  for (const auto& box : s.ui.boxes) {
    EXPECT_EQ(std::tie(box.caption, box.buttons), std::make_tuple("Error", ui::Buttons::Ok));
  }
}

// Each list selects the entry that stores the port's value; values no list offers select "9600",
// "7", "None", "1" and "None". The flow list stays hidden and OK stores flow control "n" whatever
// was read; the line is rewritten in its place.
TEST(PortPages, ComDialogSelectsByStoredValueAndStoresFlowNone) {
  Sheet s(
      "0=COM5\r\n1=COM4\r\n[COM5]\r\nbaud=38400\r\ndata_bits=8\r\nparity=s\r\nstop_bits=2\r\n"
      "flow=x\r\n[COM4]\r\nflow=z\r\n");
  auto& odd = static_cast<config::CSerialCfg&>(*s.model.GetPort(1));  // past what loading keeps
  odd.SetBaud("1234");
  odd.SetDataBits("9");
  odd.SetParity("q");
  odd.SetStopBits("3");
  CCfgPage3& page = s.sheet.page3();
  page.OnInitDialog();
  for (const std::vector<int>& selected : {std::vector<int>{0, 1, 0, 0, 0}, {3, 0, 4, 1, 2}}) {
    s.Answer<CCfgCOM>([&](CCfgCOM& d) {
      EXPECT_EQ((std::vector<int>{d.m_nBaud, d.m_nDataBits, d.m_nParity, d.m_nStopBits, d.m_nFlow}),
                selected);
      EXPECT_FALSE(d.m_bFlowVisible);
      d.m_nParity = 3;
      if (d.m_strComNumber == "4") d.m_strComNumber = "6";  // its line keeps its place
    });
    page.OnConfigure();
    ++page.m_nSelected;
  }
  EXPECT_EQ(Lines(page), "COM6 9600,7,M,1 COM5 38400,8,M,2 ");
  EXPECT_EQ(static_cast<config::CSerialCfg*>(s.model.GetPort(0))->GetFlow(), "n");
}

}  // namespace
}  // namespace kz::editor
