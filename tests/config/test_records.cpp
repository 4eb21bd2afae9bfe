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

class CSerialCfgTest : public test::TempEnvTest {};

TEST_F(CSerialCfgTest, SectionWithoutKeysReadsTheDefaultsWithFlowN) {
  CSerialCfg port;
  EXPECT_EQ(port.GetFlow(), "");
  port.Load(ProfileDocument("[COM1]\r\n"), "COM1");
  EXPECT_EQ(port.GetBaud(), "9600");
  EXPECT_EQ(port.GetDataBits(), "8");
  EXPECT_EQ(port.GetStopBits(), "1");
  EXPECT_EQ(port.GetParity(), "n");
  EXPECT_EQ(port.GetFlow(), "n");
}

TEST_F(CSerialCfgTest, UnknownValuesKeepTheEarlierSettings) {
  CSerialCfg port;
  port.SetBaud("19200");
  port.Load(ProfileDocument("[c]\nbaud=115200\ndata_bits=6\nstop_bits=1.5\nparity=x\n"), "c");
  EXPECT_EQ(port.GetBaud(), "19200");
  EXPECT_EQ(port.GetDataBits(), "8");
  EXPECT_EQ(port.GetStopBits(), "1");
  EXPECT_EQ(port.GetParity(), "n");
  // Compared exactly: blanks kept inside quotes are not the listed text.
  port.Load(ProfileDocument("[c]\nbaud=\" 9600\"\nparity=\"e \"\n"), "c");
  EXPECT_EQ(port.GetBaud(), "19200");
  EXPECT_EQ(port.GetParity(), "n");
}

TEST_F(CSerialCfgTest, ParityIsLowerCasedAndFlowTakenAsItStands) {
  CSerialCfg port;
  port.Load(ProfileDocument("[c]\nbaud=57600\ndata_bits=7\nstop_bits=2\nparity=E\nflow=Xy z\n"),
            "c");
  EXPECT_EQ(port.GetBaud(), "57600");
  EXPECT_EQ(port.GetDataBits(), "7");
  EXPECT_EQ(port.GetStopBits(), "2");
  EXPECT_EQ(port.GetParity(), "e");
  EXPECT_EQ(port.GetFlow(), "Xy z");
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
  EXPECT_EQ(back.GetParity(), "m");
  EXPECT_EQ(back.GetStopBits(), "2");
  EXPECT_EQ(back.GetFlow(), "h");
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
  EXPECT_EQ(back.GetStationNumber(), -1);
  EXPECT_EQ(back.GetID(), -1);
  EXPECT_EQ(back.GetNewFileMode(), 0);
  EXPECT_EQ(back.GetNewFileSynchMode(), -1);
  EXPECT_EQ(back.GetDataFile(), "");
  EXPECT_EQ(back.GetDatalogFile(), "");
}

TEST_F(CConnectionCfgTest, MissingKeysReadAsZeroOrEmptyNotTheInitialValues) {
  CConnectionCfg t;
  t.Load(ProfileDocument("[xfer0]\nstation number=7\n"), "xfer0");
  EXPECT_EQ(t.GetStationNumber(), 7);
  EXPECT_EQ(t.GetID(), 0);
  EXPECT_EQ(t.GetNewFileMode(), 0);
  EXPECT_EQ(t.GetNewFileSynchMode(), 0);
  EXPECT_EQ(t.GetDataFile(), "");
}

TEST_F(CConnectionCfgTest, NumbersAreTheLeadingDigits) {
  CConnectionCfg t;
  t.Load(ProfileDocument("[s]\nID=12abc\nstation number=abc\nnew file mode= -3x\n"
                         "new file synch mode=99999999999\n"),
         "s");
  EXPECT_EQ(t.GetID(), 12);
  EXPECT_EQ(t.GetStationNumber(), 0);
  EXPECT_EQ(t.GetNewFileMode(), -3);
  EXPECT_EQ(t.GetNewFileSynchMode(), 2147483647);
}

TEST_F(CConnectionCfgTest, TextsAreCutToTheReadBuffer) {
  CConnectionCfg t;
  t.Load(ProfileDocument("[s]\ndata file=" + std::string(400, 'd') + "\n"), "s");
  EXPECT_EQ(t.GetDataFile(), std::string(349, 'd'));
}

TEST(CScheduledXferTest, FreshRecordFormatsTheServerLine) {
  CScheduledXfer x;
  x.SetDescription("North");
  x.SetPort("COM2");
  EXPECT_EQ(x.Line(), "1,0,1,0,0,1,0,`North`,,COM2,0");
}

TEST(CScheduledXferTest, LineFieldsAreReadWithTheirLimits) {
  const std::string description(45, 'w');
  const auto x =
      CScheduledXfer::FromLine("0,1,-1,86399,1,16000,1,`" + description + "`,resv,UDP1658,7");
  EXPECT_EQ(x.GetSyncPolling(), 0);
  EXPECT_EQ(x.GetSyncClock(), 1);
  EXPECT_EQ(x.GetPollInterval(), 4294967295u);
  EXPECT_EQ(x.GetSyncStartTime(), 86399u);
  EXPECT_EQ(x.GetIntervalUnit(), 1);
  EXPECT_EQ(x.GetStationNumber(), 16000);
  EXPECT_EQ(x.GetClockSource(), 1);
  EXPECT_EQ(x.GetDescription(), std::string(40, 'w'));
  EXPECT_EQ(x.GetReserved(), "resv");
  EXPECT_EQ(x.GetPort(), "UDP1658");
  EXPECT_EQ(x.GetXferID(), 7);
}

TEST(CScheduledXferTest, CommaInDescriptionSurvivesButNotInPort) {
  const auto x = CScheduledXfer::FromLine("1,0,1,0,0,1,0,`North, hill`,,CO,M2,0");
  EXPECT_EQ(x.GetDescription(), "North, hill");
  EXPECT_EQ(x.GetPort(), "CO");
  EXPECT_EQ(x.GetXferID(), 0);
}

TEST(CScheduledXferTest, UntouchedRecordKeepsItsLineAndASetterDropsIt) {
  const std::string line = "1,0,1,0,0,1,0,`" + std::string(60, 'd') + "`,a,b,COM1,3";
  auto x = CScheduledXfer::FromLine(line);
  EXPECT_EQ(x.Line(), line);
  x.SetXferID(3);
  EXPECT_EQ(x.Line(), "1,0,1,0,0,1,0,`" + std::string(40, 'd') + "`,a,b,3");
}

TEST(CScheduledXferTest, FieldsComeFromTheFirst1023BytesOnly) {
  const std::string line = "1,0,1,0,0,1,0,`d`," + std::string(1010, 'r') + ",COM1,3";
  const auto x = CScheduledXfer::FromLine(line);
  EXPECT_EQ(x.GetPort(), "");
  EXPECT_EQ(x.Line(), line);
}

}  // namespace
}  // namespace kz::config
