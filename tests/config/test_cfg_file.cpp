// The configuration file: load order, save order and the exact bytes a save produces.
#include <gtest/gtest.h>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/tcp_cfg.h"
#include "config/udp_cfg.h"
#include "support/file_faults.h"
#include "support/temp_env.h"

namespace kz::config {
namespace {

class CfgFileTest : public test::TempEnvTest {
 protected:
  // Writes `text` (LF line ends become CRLF) and loads it into model_.
  void LoadText(std::string_view text) {
    test::WriteFile(path_, Crlf(text));
    ASSERT_EQ(model_.ReadWrite(path_, false), kCfgOk);
  }
  int Save() { return model_.ReadWrite(path_, true); }
  std::string File() const { return test::ReadFile(path_); }

  static std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
      if (c == '\n') out += '\r';
      out += c;
    }
    return out;
  }

  const std::string path_ = env_.Path("kzdlogrcv.cfg").string();
  CCfgMgr model_;
};

// Every field of every record kind, none at its initial value.
constexpr std::string_view kEveryFieldFile =
    "[general]\nmode=0\nnew file mode=1\nnew file synch mode=3600\n"
    "auto mode data path=/srv/auto\nauto mode base name choice=2\nset sta clock=1\n"
    "clock tolerance=30\npc time format=1\nenable log=1\nlog dir=/var/log/k\nuse scaling=0\n"
    "check duplicates=1\n"
    "[transfers]\n0=xfer0\n1=xfer1\n"
    "[xfer0]\nnew file mode=2\nnew file synch mode=5\ndata file=/d/12.csv\nstation number=12\n"
    "ID=1\ndatalog file=s12.kdl\n"
    "[xfer1]\nnew file mode=2\nnew file synch mode=6\ndata file=/d/13.csv\nstation number=13\n"
    "ID=2\ndatalog file=s13.kdl\n"
    "[ports]\n0=COM2\n1=UDP1658\n2=TCP1700\n"
    "[COM2]\nbaud=19200\ndata_bits=7\nstop_bits=2\nparity=e\nflow=n\n"
    "[scheduled]\n0=0,1,15,1800,1,12,1,`North, hill`,r,COM2,1\n";

// Read field by field and saved afresh in order, renumbered without removed records.
TEST_F(CfgFileTest, EveryFieldIsReadAndSavedInOrderWithoutRemovedRecords) {
  LoadText(kEveryFieldFile);
  model_.InsertPort(1, std::make_unique<CTCPCfg>());
  model_.RemovePort(1);
  auto removed = std::make_unique<CScheduledXfer>();
  removed->SetRemoved(true);
  model_.AddScheduledXfer(std::move(removed));
  auto gone = std::make_unique<CConnectionCfg>();
  gone->SetStationNumber(99);
  ASSERT_EQ(model_.AddConnection(gone), kCfgOk);
  model_.RemoveConnection(2);
  const auto copy = env_.Path("copy.cfg").string();
  ASSERT_EQ(model_.ReadWrite(copy, true), kCfgOk);
  EXPECT_EQ(test::ReadFile(copy), Crlf(kEveryFieldFile));
}

// A new serial port writes its flow key empty rather than leaving it out.
TEST_F(CfgFileTest, NewModelSavesToleranceSixtyAndScalingOne) {
  model_.AddPort(PORT_SERIAL);
  ASSERT_EQ(Save(), kCfgOk);
  EXPECT_EQ(File(), Crlf("[general]\nmode=0\nnew file mode=0\nnew file synch mode=0\n"
                         "auto mode data path=\nauto mode base name choice=0\nset sta clock=0\n"
                         "clock tolerance=60\npc time format=0\nenable log=0\nlog dir=\n"
                         "use scaling=1\ncheck duplicates=0\n[ports]\n0=COM1\n[COM1]\nbaud=9600\n"
                         "data_bits=8\nstop_bits=1\nparity=n\nflow=\n"));
}

// What a model holds, in one line: the general settings a missing section defaults, the keys of
// the transfers, the ports as listed and the count of scheduled transfers.
std::string Summary(const CCfgMgr& m) {
  std::string out = "mode " + std::to_string(m.GetMode()) + " tolerance " +
                    std::to_string(m.GetClockTolerance()) + " scaling " +
                    std::to_string(m.GetUseScaling()) + " log '" + m.GetLogDir() + "' |";
  for (int i = 0; i < m.GetConnectionCount(); ++i) {
    const CConnectionCfg& t = *m.GetConnection(i);
    out += " " + CCfgMgr::MakeConnectionKey(t.GetStationNumber(), t.GetID());
  }
  out += " |";
  for (int i = 0; i < m.GetPortCount(); ++i) out += " " + m.GetPort(i)->DisplayText();
  return out + " | " + std::to_string(m.GetScheduledXferCount());
}

// Each file is loaded over a model holding every kind of record, which the load replaces.
TEST_F(CfgFileTest, LoadReadsTheListsUpToTheirEnd) {
  const struct {
    const char* name;
    std::string text;  // empty: no file at all
    const char* summary;
  } cases[] = {
      {"no file", "", "mode 0 tolerance 60 scaling 0 log '' | | | 0"},
      {"no section", "[other]\nx=1\n", "mode 0 tolerance 60 scaling 0 log '' | | | 0"},
      {"an empty value ends each list",
       "[transfers]\n0=a\n1=\n2=b\n[a]\nstation number=1\n[b]\nstation number=2\n"
       "[ports]\n0=UDP1\n1=\n2=UDP2\n"
       "[scheduled]\n0=1,0,1,0,0,1,0,`a`,,COM2,0\n1=\n2=1,0,1,0,0,2,0,`b`,,COM2,0\n",
       "mode 0 tolerance 60 scaling 0 log '' | 1.0 | UDP1 | 1"},
      {"ports stop at a gap and skip short entries",
       "[ports]\n0=COM\n1=udp1700\n2=xyz5\n3=Com4\n5=UDP9\n[com4]\nbaud=38400\n",
       "mode 0 tolerance 60 scaling 0 log '' | | UDP1700 TCP5 COM4 38400,8,N,1 | 0"},
      {"duplicates stay",
       "[transfers]\n0=a\n1=b\n[a]\nstation number=5\nID=1\n[b]\nstation number=5\nID=1\n",
       "mode 0 tolerance 60 scaling 0 log '' | 5.1 5.1 | | 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadText(kEveryFieldFile);
    if (c.text.empty()) {
      ASSERT_EQ(model_.ReadWrite(env_.Path("none.cfg").string(), false), kCfgOk);
    } else {
      LoadText(c.text);
    }
    EXPECT_EQ(Summary(model_), c.summary);
    EXPECT_EQ(model_.FindConnection("12.1"), nullptr);
  }
  // Of two transfers under one key the later takes it, and keeps it when the earlier goes.
  EXPECT_EQ(model_.FindConnection("5.1"), model_.GetConnection(1));
  model_.RemoveConnection(0);
  EXPECT_EQ(model_.FindConnection("5.1"), model_.GetConnection(1));
}

TEST_F(CfgFileTest, ValuesAreCutAsTheServersReadBuffersCutThem) {
  const std::string section(1100, 's');
  LoadText(
      "[general]\nmode=0000000001\nclock tolerance=0000000001\nlog dir=" + std::string(300, 'd') +
      "\nauto mode data path=" + std::string(300, 'a') + "\n[transfers]\n0=" + section + "\n[" +
      section.substr(0, 1023) + "]\nstation number=7\n");
  EXPECT_EQ(model_.GetMode(), 0);  // nine characters
  EXPECT_EQ(model_.GetClockTolerance(), 1);
  EXPECT_EQ(model_.GetLogDir(), std::string(255, 'd'));
  EXPECT_EQ(model_.GetAutoModeDataPath(), std::string(255, 'a'));
  ASSERT_EQ(model_.GetConnectionCount(), 1);
  EXPECT_EQ(model_.GetConnection(0)->GetStationNumber(), 7);  // its name cut to 1023 bytes
}

// Old transfer sections are cleared while each has a "new file mode": removing the middle
// transfer leaves xfer0 and xfer1; a save in mode 1 writes no client transfers and keeps none.
TEST_F(CfgFileTest, RemovedTransfersAreRenumberedAndModeOneSavesNone) {
  LoadText(
      "[transfers]\n0=xfer0\n1=xfer1\n2=xfer2\n[xfer0]\nnew file mode=0\nstation number=1\n"
      "[xfer1]\nnew file mode=0\nstation number=2\n[xfer2]\nnew file mode=0\n"
      "station number=3\n");
  model_.RemoveConnection(1);
  ASSERT_EQ(Save(), kCfgOk);
  std::string file = File();
  EXPECT_NE(file.find(Crlf("[transfers]\n0=xfer0\n1=xfer1\n[xfer0]")), std::string::npos);
  EXPECT_NE(file.find(Crlf("[xfer1]\nnew file mode=0\nnew file synch mode=0\ndata file=\n"
                           "station number=3\n")),
            std::string::npos);
  EXPECT_EQ(file.find("xfer2"), std::string::npos);
  model_.SetMode(1);
  ASSERT_EQ(Save(), kCfgOk);
  EXPECT_EQ(model_.GetConnectionCount(), 0);
  EXPECT_EQ(model_.FindConnection("1.0"), nullptr);
  file = File();
  EXPECT_EQ(file.find("[transfers]"), std::string::npos);
  EXPECT_EQ(file.find("xfer"), std::string::npos);
  EXPECT_NE(file.find("mode=1\r\n"), std::string::npos);
}

// Stale list entries and the sections of dropped transfers go; comments, unknown keys and
// sections no list names stay.
TEST_F(CfgFileTest, SaveClearsStaleListsAndLeavesOtherLinesAlone) {
  LoadText(
      "; stale lists\n[general]\nmode=0\nclock tolerance = 30\nsite=north\n\n"
      "[transfers]\n0=xfer0\n2=xfer2\n\n[xfer0]\nnew file mode=0\nstation number=1\nID=1\n; keep "
      "me\n"
      "[xfer1]\nnew file mode=1\n[xfer2]\nnew file mode=2\n[xfer9]\nnew file mode=9\n"
      "[ports]\n0=COM2\n2=UDP1700\n[COM2]\nbaud=38400\n[COM5]\nbaud=19200\n"
      "[scheduled]\n0=1,0,1,0,0,1,0,`a`,,COM2,0\n2=1,0,1,0,0,2,0,`b`,,COM2,0\n[notes]\ntext="
      "kept\n");
  ASSERT_EQ(Save(), kCfgOk);
  const std::string file = File();
  for (const char* kept :
       {"; stale lists\n[general]\nmode=0\nclock tolerance = 30\nsite=north\n", "; keep me\n",
        "[xfer9]\nnew file mode=9\n", "[COM5]\nbaud=19200\n", "[notes]\ntext=kept\n",
        "[transfers]\n0=xfer0\n[xfer0]\n", "[ports]\n0=COM2\n[COM2]\nbaud=38400\n",
        "[scheduled]\n0=1,0,1,0,0,1,0,`a`,,COM2,0\n"}) {
    EXPECT_NE(file.find(Crlf(kept)), std::string::npos) << kept;
  }
  for (const char* gone : {"xfer1", "xfer2", "UDP1700", "`b`", "new file mode=1", "2="}) {
    EXPECT_EQ(file.find(gone), std::string::npos) << gone;
  }
}

// Untouched scheduled lines pass through byte for byte, save after save: long ones, ones with
// extra commas, and quoted ones (the reader strips one pair of quotes; writing that back would
// strip another pair per save, until an emptied first line ends the list).
TEST_F(CfgFileTest, UntouchedScheduledLinesSurviveRepeatedSaves) {
  const std::string lines =
      "0=\"\"\"\"\n1=1,0,1,0,0,1,0,`" + std::string(70, 'L') +
      "`,x,y,UDP1658,2\n2='\"x\"'\n3=0,1,3600,0,1,44,1,`d`,re,served,CO,M1,9\n";
  LoadText("[scheduled]\n" + lines);
  ASSERT_EQ(model_.GetScheduledXferCount(), 4);
  for (int save = 1; save <= 2; ++save) {
    SCOPED_TRACE(save);
    ASSERT_EQ(Save(), kCfgOk);
    EXPECT_NE(File().find(Crlf(lines)), std::string::npos);
    ASSERT_EQ(model_.ReadWrite(path_, false), kCfgOk);
    EXPECT_EQ(model_.GetScheduledXferCount(), 4);
  }
}

// A value with a line break would add lines to the file; a missing folder is made by nobody; a
// failed step of the replace leaves the old bytes and no part file.
TEST_F(CfgFileTest, FailedSaveKeepsTheOldFile) {
  LoadText(kEveryFieldFile);
  const std::string before = File();
  model_.SetLogDir("/var/log\r\n[ports]");  // which line ends count is the profile writer's test
  EXPECT_EQ(Save(), kCfgFailed);
  EXPECT_EQ(File(), before);
  model_.SetLogDir("/ok");
  model_.GetConnection(0)->SetDatalogFile("x\ny=1");
  EXPECT_EQ(Save(), kCfgFailed);
  EXPECT_EQ(File(), before);
  EXPECT_EQ(model_.ReadWrite(env_.Path("no/such/dir.cfg").string(), true), kCfgFailed);
  EXPECT_FALSE(std::filesystem::exists(env_.Path("no")));

  model_.GetConnection(0)->SetDatalogFile("s12.kdl");
  model_.SetClockTolerance(45);
  test::FailEachStepInTurn([&] { return Save() == kCfgOk; },
                           [&](const std::string& step) { EXPECT_EQ(File(), before) << step; });
  EXPECT_NE(File().find("clock tolerance=45\r\n"), std::string::npos);
  EXPECT_EQ(test::FileNames(env_.root()), std::vector<std::string>{"kzdlogrcv.cfg"});
}

}  // namespace
}  // namespace kz::config
