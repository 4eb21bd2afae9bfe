// CCfgCOM: the COM Port Configuration dialog: the COM number and line settings of one serial
// port. Built by the COM Ports page on a serial port record of the model; the page, the record
// and the model are borrowed and must outlive the dialog. The record changes only when OK
// succeeds.
#pragma once

#include <array>
#include <string>

#include "editor/port_dialog.h"

namespace kz::config {
class CSerialCfg;
}

namespace kz::editor {

class CCfgCOM : public CPortDialog {
 public:
  static constexpr int kTemplateId = 203;
  enum Control { kComNumberEdit, kBaudList, kDataBitsList, kParityList, kStopBitsList, kFlowList };

  // A list entry: what the list shows and the text the record stores for it.
  struct Choice {
    const char* text;
    const char* stored;
  };
  static constexpr std::array<Choice, 5> kBauds = {{{"9600", "9600"},
                                                    {"14400", "14400"},
                                                    {"19200", "19200"},
                                                    {"38400", "38400"},
                                                    {"57600", "57600"}}};
  static constexpr std::array<Choice, 2> kDataBits = {{{"8", "8"}, {"7", "7"}}};
  static constexpr std::array<Choice, 5> kParities = {
      {{"None", "n"}, {"Even", "e"}, {"Odd", "o"}, {"Mark", "m"}, {"Space", "s"}}};
  static constexpr std::array<Choice, 2> kStopBits = {{{"1", "1"}, {"2", "2"}}};
  static constexpr std::array<Choice, 3> kFlows = {
      {{"None", "n"}, {"Hardware", "h"}, {"Xon/Xoff", "x"}}};
  // What OK stores as flow control: the server's serial ports run without it.
  static constexpr const char* kStoredFlow = "n";

  // The range the spin control beside the number steps within.
  static constexpr int kSpinMin = 0;
  static constexpr int kSpinMax = 255;

  static constexpr const char* kNoNumber = "Please enter a COM port number.";
  static constexpr const char* kDuplicateNumber = "Please enter a unique COM port number.";

  CCfgCOM(CPropertyPage& page, config::CSerialCfg& port, config::CCfgMgr& model);

  int TemplateId() const override { return kTemplateId; }
  // Shows the record. Each list selects the entry storing the record's value; an unknown value
  // selects "9600", "7", "None", "1" and "None" respectively. The flow list stays hidden.
  void OnInitDialog();
  // The spin control: steps the number's value (its leading digits) by `steps`, within 0 to 255.
  void OnSpin(int steps);
  // Checks in order: a number is given, no other live serial port has it (read from its leading
  // digits). Then stores the number and the lists' values, and flow control "n". False (the
  // message shown) keeps the dialog open.
  bool OnOK();

  std::string m_strComNumber;
  int m_nBaud = 0;  // indexes into the tables above, -1 for none
  int m_nDataBits = 0;
  int m_nParity = 0;
  int m_nStopBits = 0;
  int m_nFlow = 0;
  bool m_bFlowVisible = false;  // the flow list and its label

 private:
  config::CSerialCfg& m_port;  // not owned: the model's
};

}  // namespace kz::editor
