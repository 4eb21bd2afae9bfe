// ApplyDesired and CheckConfig: the editor's rules reached without windows.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "config/cfg_mgr.h"
#include "desired_of.h"
#include "editor/cfg_com.h"
#include "editor/cfg_general_page.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"
#include "editor/config_apply.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "platform/profile_document.h"

namespace kz::editor {

// For GoogleTest's failure messages.
void PrintTo(const ConfigProblem& problem, std::ostream* os) {
  *os << FormatProblem(problem);
}

namespace {

constexpr const char* kBase =
    "[general]\r\nmode=0\r\nset sta clock=1\r\nclock tolerance=60\r\n"
    "[transfers]\r\n0=xfer0\r\n1=xfer1\r\n"
    "[xfer0]\r\nstation number=12\r\nID=1\r\ndatalog file=a.kdl\r\ndata file=/d/a.csv\r\n"
    "new file mode=0\r\nnew file synch mode=-1\r\n"
    "[xfer1]\r\nstation number=13\r\nID=1\r\ndatalog file=b.kdl\r\ndata file=/d/b.csv\r\n"
    "new file mode=1\r\nnew file synch mode=3600\r\n"
    "[ports]\r\n0=UDP1658\r\n1=COM1\r\n[COM1]\r\nbaud=9600\r\n"
    "[scheduled]\r\n0=1,0,1,0,0,12,0,`North`,,COM1,1\r\n";

std::unique_ptr<config::CCfgMgr> Loaded(std::string_view text) {
  auto model = std::make_unique<config::CCfgMgr>();
  model->Load(platform::ProfileDocument(text));
  return model;
}

DesiredTransfer Transfer(int station, int id, std::string data_file) {
  return {station, id, "c.kdl", 0, -1, std::move(data_file)};
}

using Change = std::function<void(DesiredConfig&)>;
// Appends transfer `t` to the desired state, changed by `edit`.
Change AddTransfer(DesiredTransfer t, std::function<void(DesiredTransfer&)> edit = {}) {
  return [t, edit](DesiredConfig& d) {
    d.transfers->push_back(t);
    if (edit) edit(d.transfers->back());
  };
}
Change SetGeneral(std::size_t key, GeneralValue value) {
  return [key, value](DesiredConfig& d) { (*d.general)[key] = value; };
}

struct Refusal {
  const char* name;
  Change change;
  ConfigProblem expected;
  const char* options = "";
};

TEST(ConfigApply, RefusalsReachTheUserWithTheEditorsMessageAndPath) {
  const std::string no_ports =
      std::string(CCfgPSheet::kNoPortQuestion) + " Answered No; --allow-no-ports answers Yes.";
  const Refusal cases[] = {
      {"NoStoragePathWhenModeChanges",
       AddTransfer(Transfer(14, 1, ""), [](auto& t) { t.new_file_mode = 3; }),
       {"transfers[2]", CRecStorageDlg::kNoPath}},
      {"PairTwiceInTheDesiredState", AddTransfer(Transfer(12, 1, "/d/c.csv")),
       {"transfers[2]", CEditTransferDlg::kPairInUse}},
      {"StorageMethodNoListOffers",
       [](DesiredConfig& d) { (*d.transfers)[0].new_file_mode = 7; },
       {"transfers[0][\"new file mode\"]",
        "Is none of the \"Create new files:\" choices (0 Always Use the Same File, 1 "
        "Daily, 2 Weekly, 3 Monthly)."}},
      {"DailyStartBeyondADay",
       [](DesiredConfig& d) { (*d.transfers)[1].new_file_synch_mode = 90000; },
       {"transfers[1][\"new file synch mode\"]",
        "Is no time of day for daily files (0 to 86399 seconds after midnight)."}},
      {"DataFileTheFileCannotHold",
       [](DesiredConfig& d) { (*d.transfers)[0].data_file = "/d/x.csv\r\n[general]"; },
       {"transfers[0][\"data file\"]",
        "Holds a line break, which the configuration file cannot hold."}},
      {"TransfersInAutomaticMode",
       [](DesiredConfig& d) {
         (*d.general)[kKeyMode] = 1;
         (*d.general)[kKeyAutoModeDataPath] = std::string("/auto");
         (*d.transfers)[0].datalog_file = "z.kdl";
       },
       {"transfers[0]", std::string(CCfgPage4::kAutoAccept) +
                            " (\"mode\" 1): the page keeps no client transfers to add "
                            "or edit."}},
      {"ToleranceOutOfRange", SetGeneral(kKeyClockTolerance, 604801),
       {"general[\"clock tolerance\"]", CCfgGeneralPage::kToleranceRangeMessage}},
      {"AutomaticModeWithoutDataDirectory", SetGeneral(kKeyMode, 1),
       {"general[\"auto mode data path\"]", CCfgPage1::kNoDataDirMessage}},
      {"DataFileSettingInSpecifiedStationsMode", SetGeneral(kKeyNewFileMode, 2),
       {"general[\"new file mode\"]",
        "Stored only when new clients may automatically connect (\"mode\" 1)."}},
      {"SettingTheCitectPageLacks", SetGeneral(kKeyUseScaling, 1),
       {"general[\"use scaling\"]",
        "The General page of the Citect edition has no control for this setting."},
       "product=citect"},
      {"ModeNoButtonOffers", SetGeneral(kKeyMode, 2),
       {"general[\"mode\"]", "Is none of the \"Client connection mode:\" buttons (0 or 1)."}},
      {"UdpPortTwice",
       [](DesiredConfig& d) { d.ports->push_back({config::PORT_UDP, 1658}); },
       {"ports[2]", CCfgUDP::kDuplicateNumber}},
      {"BaudNoListOffers", [](DesiredConfig& d) { (*d.ports)[1].baud = "1200"; },
       {"ports[1][\"baud\"]",
        "Is none of the \"Baud:\" choices (\"9600\", \"14400\", \"19200\", \"38400\", "
        "\"57600\")."}},
      {"FlowTheDialogNeverStores", [](DesiredConfig& d) { (*d.ports)[1].flow = "h"; },
       {"ports[1][\"flow\"]",
        "The COM Port Configuration dialog stores flow control \"n\" only."}},
      {"RemovingThePortAScheduledTransferPollsOn",
       [](DesiredConfig& d) { d.ports->pop_back(); },
       {"scheduled[0]", "The port \"COM1\" is none of the live ports of the configuration."}},
      {"NoPortLeft",
       [](DesiredConfig& d) {
         d.ports->clear();
         d.scheduled->clear();
       },
       {"ports", no_ports}},
      {"ScheduledLineThatWouldNotReadBack",
       [](DesiredConfig& d) { (*d.scheduled)[0].reserved = "a,b"; },
       {"scheduled[0]",
        "Would not read back as given: the server reads at most 40 characters of the "
        "description and of the reserved text and 20 of the port, a comma in the "
        "reserved text or the port or a backquote in the description shifts the "
        "fields, and reading drops blanks around the texts."}},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    const auto model = Loaded(kBase);
    DesiredConfig desired = DesiredOf(*model);
    c.change(desired);
    EXPECT_EQ(ApplyDesired(*model, desired, {c.options}).problems,
              std::vector<ConfigProblem>{c.expected});
  }
}

// Two transfers with one pair and a data file used twice, a tolerance the page refuses, ports
// out of range or used twice, a scheduled transfer on no live port: the editor checks only what
// is added or edited, and CheckConfig finds each as OK would.
TEST(ConfigApply, UnchangedDesiredStateChangesNothingWhereCheckFindsFaults) {
  const auto model = Loaded(
      "[general]\r\nset sta clock=1\r\nclock tolerance=0\r\n"
      "[transfers]\r\n0=xfer0\r\n1=xfer1\r\n"
      "[xfer0]\r\nstation number=5\r\nID=1\r\ndata file=/x.csv\r\ndatalog file=a.kdl\r\n"
      "[xfer1]\r\nstation number=5\r\nID=1\r\ndata file=/X.csv\r\ndatalog file=b.kdl\r\n"
      "[ports]\r\n0=UDP0\r\n1=COM3\r\n2=COM3\r\n[scheduled]\r\n0=1,0,1,0,0,12,0,`N`,,COM2,1\r\n");
  const ApplyResult result = ApplyDesired(*model, DesiredOf(*model), {});
  EXPECT_EQ(result.problems, std::vector<ConfigProblem>{});
  EXPECT_TRUE(result.changes.empty());
  EXPECT_EQ(CheckConfig(*model, ""),
            (std::vector<ConfigProblem>{
                {"scheduled[0]",
                 "The port \"COM2\" is none of the live ports of the configuration."},
                {"general[\"clock tolerance\"]", CCfgGeneralPage::kToleranceRangeMessage},
                {"transfers[0]", CEditTransferDlg::kStorageFileInUse},
                {"transfers[1]", CEditTransferDlg::kStorageFileInUse},
                {"ports[0]", CCfgUDP::kNumberOutOfRange},
                {"ports[1]", CCfgCOM::kDuplicateNumber},
                {"ports[2]", CCfgCOM::kDuplicateNumber}}));
  EXPECT_EQ(CheckConfig(*Loaded(kBase), ""), std::vector<ConfigProblem>{});
}

// Each accepted change reports its lines; the model then is the desired state, so applying it
// again changes nothing. Records are matched, so an insertion changes only itself.
TEST(ConfigApply, AcceptedChangesLandWholeAndAreReportedLineByLine) {
  const struct {
    const char* name;
    Change change;
    std::vector<std::string> lines;
    std::vector<ConfigProblem> warnings = {};
  } cases[] = {
      {"mixed",
       [](DesiredConfig& d) {
         d.ports->push_back({config::PORT_TCP, 1700});
         d.transfers->push_back(Transfer(20, 1, "/d/t20.csv"));
         d.transfers->push_back({21, 2, "CFG21", 1, 37800, "/d/t21.csv"});  // ".kdl" completed
         (*d.general)[kKeyClockTolerance] = 120;
         d.scheduled->clear();
       },
       {"general[\"clock tolerance\"]: 60 -> 120",
        "transfers[2]: added station 20 ID 1 \"c.kdl\" -> \"/d/t20.csv\"",
        "transfers[3]: added station 21 ID 2 \"CFG21.kdl\" -> \"/d/t21.csv\"",
        "ports[2]: added TCP1700", "scheduled: removed \"1,0,1,0,0,12,0,`North`,,COM1,1\""}},
      {"inserted first",
       [](DesiredConfig& d) {
         d.transfers->insert(d.transfers->begin(), Transfer(1, 1, "/d/first.csv"));
         d.ports->insert(d.ports->begin(), {config::PORT_UDP, 1500});
         d.scheduled->insert(d.scheduled->begin(),
                             {1, 0, 5, 0, 1, 12, 0, "South", "", "UDP1658", 2});
       },
       {"transfers[0]: added station 1 ID 1 \"c.kdl\" -> \"/d/first.csv\"",
        "ports[0]: added UDP1500", "scheduled[0]: added \"1,0,5,0,1,12,0,`South`,,UDP1658,2\""}},
      {"changed and removed",
       [](DesiredConfig& d) {
         (*d.transfers)[1].data_file = "/d/a.csv";  // taken from xfer0, which is removed
         d.transfers->erase(d.transfers->begin());
         (*d.ports)[1].parity = "e";
       },
       {"transfers: removed station 12 ID 1 \"a.kdl\"",
        "transfers[0]: changed station 13 ID 1: \"data file\" \"/d/b.csv\" -> \"/d/a.csv\"",
        "ports[1]: changed COM1: \"parity\" \"n\" -> \"e\""}},
      {"data files swapped",
       [](DesiredConfig& d) {
         std::swap((*d.transfers)[0].data_file, (*d.transfers)[1].data_file);
       },
       {"transfers[0]: changed station 12 ID 1: \"data file\" \"/d/a.csv\" -> \"/d/b.csv\"",
        "transfers[1]: changed station 13 ID 1: \"data file\" \"/d/b.csv\" -> \"/d/a.csv\""}},
      {"duplicate check warns", SetGeneral(kKeyCheckDuplicates, 1),
       {"general[\"check duplicates\"]: 0 -> 1"},
       {{"general[\"check duplicates\"]", CCfgPage1::kDuplicatesWarning}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto model = Loaded(kBase);
    DesiredConfig d = DesiredOf(*model);
    c.change(d);
    const ApplyResult result = ApplyDesired(*model, d, {});
    EXPECT_EQ(result.problems, std::vector<ConfigProblem>{});
    EXPECT_EQ(result.changes, c.lines);
    EXPECT_EQ(result.warnings, c.warnings);
    EXPECT_EQ(ApplyDesired(*model, d, {}).changes, std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace kz::editor
