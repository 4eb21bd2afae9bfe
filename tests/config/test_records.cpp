// The records' own sections and lines: serial port, client transfer, scheduled transfer.
#include <gtest/gtest.h>

#include "config/connection_cfg.h"
#include "config/scheduled_xfer.h"
#include "config/serial_cfg.h"
#include "platform/profile_document.h"
#include "support/temp_env.h"

namespace kz::config {
namespace {

using platform::ProfileDocument;

// The five line settings as one text, so a check covers every field at once.
std::string Settings(const CSerialCfg& port) {
  return port.GetBaud() + "," + port.GetDataBits() + "," + port.GetStopBits() + "," +
         port.GetParity() + "," + port.GetFlow();
}

class CSerialCfgTest : public test::TempEnvTest {};

TEST_F(CSerialCfgTest, LoadTakesKnownValuesDefaultsMissingKeysAndKeepsTheRest) {
  const struct {
    const char* text;
    const char* settings;
  } cases[] = {
      {"[c]\r\n", "9600,8,1,n,n"},  // a missing key is not an unknown value
      {"[c]\nbaud=57600\ndata_bits=7\nstop_bits=2\nparity=E\nflow=Xy z\n", "57600,7,2,e,Xy z"},
      // Unknown values keep the earlier setting.
      {"[c]\nbaud=115200\ndata_bits=6\nstop_bits=1.5\nparity=x\n", "19200,8,1,n,n"},
      // Compared exactly: blanks kept inside quotes are not the listed text.
      {"[c]\nbaud=\" 9600\"\nparity=\"e \"\n", "19200,8,1,n,n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CSerialCfg port;
    port.SetBaud("19200");
    port.Load(ProfileDocument(c.text), "c");
    EXPECT_EQ(Settings(port), c.settings);
  }
}

TEST_F(CSerialCfgTest, SaveWritesFiveKeysInOrderAndReadsBack) {
  const auto path = env_.Path("port.cfg").string();
  CSerialCfg port;
  port.SetComNumber(3);
  port.SetParity("m");
  port.SetStopBits("2");
  port.SetFlow("h");
  ASSERT_EQ(port.ReadWrite(path, "COM3", true), kCfgOk);
  EXPECT_EQ(test::ReadFile(path),
            "[COM3]\r\nbaud=9600\r\ndata_bits=8\r\nstop_bits=2\r\nparity=m\r\nflow=h\r\n");
  CSerialCfg back;
  EXPECT_EQ(back.ReadWrite(path, "com3", false), kCfgOk);
  EXPECT_EQ(Settings(back), "9600,8,2,m,h");
}

// Station, ID, new file mode, synch mode, data file and datalog file as one text.
std::string Fields(const CConnectionCfg& t) {
  return std::to_string(t.GetStationNumber()) + "," + std::to_string(t.GetID()) + "," +
         std::to_string(t.GetNewFileMode()) + "," + std::to_string(t.GetNewFileSynchMode()) + "," +
         t.GetDataFile() + "," + t.GetDatalogFile();
}

class CConnectionCfgTest : public test::TempEnvTest {};

TEST_F(CConnectionCfgTest, FreshRecordSavesAndReadsBackItsInitialValues) {
  const auto path = env_.Path("x.cfg").string();
  CConnectionCfg fresh;
  ASSERT_EQ(fresh.ReadWrite(path, "xfer0", true), kCfgOk);
  EXPECT_EQ(test::ReadFile(path),
            "[xfer0]\r\nnew file mode=0\r\nnew file synch mode=-1\r\ndata file=\r\n"
            "station number=-1\r\nID=-1\r\ndatalog file=\r\n");
  CConnectionCfg back;
  back.SetDataFile("stale");
  back.ReadWrite(path, "xfer0", false);
  EXPECT_EQ(Fields(back), "-1,-1,0,-1,,");
}

TEST_F(CConnectionCfgTest, KeysReadAsTheirLeadingDigitsOrZeroAndTextsAreCutToTheBuffer) {
  const struct {
    std::string text;
    std::string fields;
  } cases[] = {
      // Missing keys read as zero or empty, not as the initial values.
      {"station number=7\n", "7,0,0,0,,"},
      {"ID=12abc\nstation number=abc\nnew file mode= -3x\nnew file synch mode=99999999999\n",
       "0,12,-3,2147483647,,"},
      {"data file=" + std::string(400, 'd') + "\n", "0,0,0,0," + std::string(349, 'd') + ","},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CConnectionCfg t;
    t.Load(ProfileDocument("[s]\n" + c.text), "s");
    EXPECT_EQ(Fields(t), c.fields);
  }
}

// A read line is written back whole until a setter is called; its fields are read from the
// first 1023 bytes with the format's limits, and a comma in the port shifts the fields after it.
TEST(CScheduledXferTest, ReadLineIsKeptUntilASetterAndItsFieldsKeepTheirLimits) {
  const struct {
    std::string line, formatted;
  } cases[] = {
      {"0,1,-1,86399,1,16000,1,`" + std::string(45, 'w') + "`,resv,UDP1658,7",
       "0,1,4294967295,86399,1,16000,1,`" + std::string(40, 'w') + "`,resv,UDP1658,7"},
      {"1,0,1,0,0,1,0,`North, hill`,,CO,M2,0", "1,0,1,0,0,1,0,`North, hill`,,CO,0"},
      {"1,0,1,0,0,1,0,`d`," + std::string(1010, 'r') + ",COM1,3",
       "1,0,1,0,0,1,0,`d`," + std::string(40, 'r') + ",,0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 40));
    auto x = CScheduledXfer::FromLine(c.line);
    EXPECT_EQ(x.Line(), c.line);
    EXPECT_EQ(x.FormattedLine(), c.formatted);
    x.SetXferID(x.GetXferID());
    EXPECT_EQ(x.Line(), c.formatted);
  }
  CScheduledXfer fresh;
  fresh.SetDescription("North");
  fresh.SetPort("COM2");
  EXPECT_EQ(fresh.Line(), "1,0,1,0,0,1,0,`North`,,COM2,0");
}

}  // namespace
}  // namespace kz::config
