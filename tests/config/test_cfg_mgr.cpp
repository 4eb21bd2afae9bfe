// The model's collections, index and uniqueness checks (no file involved).
#include <gtest/gtest.h>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/tcp_cfg.h"
#include "config/udp_cfg.h"

namespace kz::config {
namespace {

std::unique_ptr<CConnectionCfg> Transfer(int station, int id, std::string data_file) {
  auto t = std::make_unique<CConnectionCfg>();
  t->SetStationNumber(station);
  t->SetID(id);
  t->SetDataFile(std::move(data_file));
  return t;
}

class CCfgMgrTest : public ::testing::Test {
 protected:
  // Adds a transfer that must be accepted and returns it (owned by the model).
  CConnectionCfg* Add(int station, int id, std::string data_file) {
    auto t = Transfer(station, id, std::move(data_file));
    CConnectionCfg* raw = t.get();
    EXPECT_EQ(model_.AddConnection(t), kCfgOk);
    EXPECT_EQ(t, nullptr);
    return raw;
  }

  CCfgMgr model_;
};

TEST_F(CCfgMgrTest, DuplicateStationAndIdIsRefusedAndStaysWithTheCaller) {
  EXPECT_EQ(model_.FindConnection("5.1"), Add(5, 1, "a.csv"));
  EXPECT_EQ(model_.FindConnection("5.10"), nullptr);
  auto second = Transfer(5, 1, "b.csv");
  EXPECT_EQ(model_.AddConnection(second), kDuplicateTransfer);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(model_.GetConnectionCount(), 1);
}

TEST_F(CCfgMgrTest, RemovedTransferFreesItsKeyAndBadIndexesAreIgnored) {
  Add(5, 1, "a.csv");
  model_.RemoveConnection(-1);
  model_.RemoveConnection(1);
  EXPECT_FALSE(model_.GetConnection(0)->IsRemoved());
  EXPECT_EQ(model_.GetConnection(1), nullptr);
  model_.RemoveConnection(0);
  EXPECT_TRUE(model_.GetConnection(0)->IsRemoved());
  EXPECT_EQ(model_.FindConnection("5.1"), nullptr);
  CConnectionCfg* again = Add(5, 1, "b.csv");
  EXPECT_EQ(model_.FindConnection("5.1"), again);
  EXPECT_EQ(model_.GetConnectionCount(), 2);
}

TEST_F(CCfgMgrTest, DataFilesDifferingOnlyInCaseClash) {
  Add(1, 1, "C:\\Data\\A.csv");
  auto second = Transfer(2, 1, "c:\\data\\a.csv");
  EXPECT_EQ(model_.AddConnection(second), kDuplicateDataFile);
  // No trimming or path normalisation beyond case.
  Add(3, 1, "c:\\data\\a.csv ");
}

TEST_F(CCfgMgrTest, CheckWithoutATransferCountsRemovedAndEmptyDataFiles) {
  Add(1, 1, "Used.csv");
  Add(2, 1, "");
  Add(3, 1, "");  // a built transfer's empty data file is always accepted
  EXPECT_EQ(model_.ValidateConnection(*model_.GetConnection(1)), kCfgOk);
  model_.RemoveConnection(0);
  EXPECT_EQ(model_.ValidateConnection(9, 9, "used.CSV", nullptr), kDuplicateDataFile);
  EXPECT_EQ(model_.ValidateConnection(9, 9, "", nullptr), kDuplicateDataFile);
  EXPECT_EQ(model_.ValidateConnection(9, 9, "new.csv", nullptr), kCfgOk);
  // The key check comes first.
  EXPECT_EQ(model_.ValidateConnection(2, 1, "used.csv", nullptr), kDuplicateTransfer);
  // The edit check skips removed transfers.
  EXPECT_FALSE(model_.IsDataFileInUse("used.csv", nullptr));
}

TEST_F(CCfgMgrTest, EditCheckExcludesTheEditedTransfer) {
  CConnectionCfg* a = Add(1, 1, "a.csv");
  Add(2, 1, "b.csv");
  EXPECT_EQ(model_.ValidateConnection(1, 1, "a.csv", a), kCfgOk);
  EXPECT_EQ(model_.ValidateConnection(2, 1, "a.csv", a), kDuplicateTransfer);
  EXPECT_EQ(model_.ValidateConnection(1, 1, "B.csv", a), kDuplicateDataFile);
}

TEST_F(CCfgMgrTest, RekeyMovesTheIndexEntry) {
  CConnectionCfg* t = Add(1, 1, "a.csv");
  const std::string old_key = CCfgMgr::MakeConnectionKey(1, 1);
  t->SetStationNumber(7);
  model_.RekeyConnection(t, old_key);
  EXPECT_EQ(model_.FindConnection("1.1"), nullptr);
  EXPECT_EQ(model_.FindConnection("7.1"), t);
  Add(1, 1, "b.csv");
}

TEST_F(CCfgMgrTest, KeyStaysTakenWhileAnotherLiveTransferHoldsIt) {
  // Two transfers under one key, as a file can hold them; the later one is indexed.
  CConnectionCfg* first = Add(1, 1, "a.csv");
  CConnectionCfg* later = Add(2, 1, "b.csv");
  later->SetStationNumber(1);
  model_.RekeyConnection(later, "2.1");
  ASSERT_EQ(model_.FindConnection("1.1"), later);

  model_.RemoveConnection(1);
  EXPECT_EQ(model_.FindConnection("1.1"), first);
  auto third = Transfer(1, 1, "c.csv");
  EXPECT_EQ(model_.AddConnection(third), kDuplicateTransfer);

  // Moving the indexed one away leaves the other indexed too.
  CConnectionCfg* moved = Add(3, 1, "d.csv");
  moved->SetStationNumber(1);
  model_.RekeyConnection(moved, "3.1");
  moved->SetStationNumber(4);
  model_.RekeyConnection(moved, "1.1");
  EXPECT_EQ(model_.FindConnection("1.1"), first);
  EXPECT_EQ(model_.FindConnection("4.1"), moved);
}

TEST_F(CCfgMgrTest, AddPortNumbersEachTypeOnFromItsHighestEver) {
  CPortCfg* udp = model_.AddPort(PORT_UDP);
  ASSERT_NE(udp, nullptr);
  EXPECT_EQ(udp->GetType(), PORT_UDP);
  EXPECT_EQ(udp->GetNumber(), 1658);
  auto* udp2 = static_cast<CUDPCfg*>(model_.AddPort(PORT_UDP));
  udp2->SetPortNumber(1700);
  model_.RemovePort(1);
  EXPECT_EQ(model_.AddPort(PORT_UDP)->GetNumber(), 1701);
  EXPECT_EQ(model_.AddPort(PORT_TCP)->GetNumber(), 1658);
  CPortCfg* com = model_.AddPort(PORT_SERIAL);
  EXPECT_EQ(com->GetNumber(), 1);
  EXPECT_EQ(com->EntryText(), "COM1");
  EXPECT_EQ(model_.AddPort(7), nullptr);
  EXPECT_EQ(model_.GetPortCount(), 5);
  // At the highest number the next one does not overflow.
  static_cast<CTCPCfg*>(model_.GetPort(3))->SetPortNumber(std::numeric_limits<int>::max());
  EXPECT_EQ(model_.AddPort(PORT_TCP)->GetNumber(), std::numeric_limits<int>::max());
}

TEST_F(CCfgMgrTest, DiscardLastPortLeavesNoTrace) {
  model_.AddPort(PORT_UDP);
  model_.AddPort(PORT_UDP);
  model_.DiscardLastPort();
  EXPECT_EQ(model_.GetPortCount(), 1);
  EXPECT_EQ(model_.AddPort(PORT_UDP)->GetNumber(), 1659);
  model_.DiscardLastPort();
  model_.DiscardLastPort();
  model_.DiscardLastPort();
  EXPECT_EQ(model_.GetPortCount(), 0);
}

TEST_F(CCfgMgrTest, InsertPortGoesBeforeTheIndexAndClamps) {
  model_.AddPort(PORT_UDP);
  model_.AddPort(PORT_SERIAL);
  auto tcp = std::make_unique<CTCPCfg>();
  CTCPCfg* raw = tcp.get();
  model_.InsertPort(1, std::move(tcp));
  EXPECT_EQ(model_.GetPort(1), raw);
  model_.InsertPort(99, std::make_unique<CTCPCfg>());
  model_.InsertPort(-4, std::make_unique<CSerialCfg>());
  EXPECT_EQ(model_.GetPortCount(), 5);
  EXPECT_EQ(model_.GetPort(0)->GetType(), PORT_SERIAL);
  EXPECT_EQ(model_.GetPort(4)->GetType(), PORT_TCP);
}

TEST_F(CCfgMgrTest, PortIterationSkipsRemovedPorts) {
  for (int i = 0; i < 4; ++i) model_.AddPort(PORT_UDP);
  model_.RemovePort(0);
  model_.RemovePort(2);
  model_.RemovePort(4);
  model_.RemovePort(-1);
  EXPECT_EQ(model_.GetFirstPort(), 1);
  EXPECT_EQ(model_.GetNextPort(1), 3);
  EXPECT_EQ(model_.GetNextPort(3), -1);
  model_.RemovePort(1);
  model_.RemovePort(3);
  EXPECT_EQ(model_.GetFirstPort(), -1);
}

TEST_F(CCfgMgrTest, PortNumbersClashOnlyWithinOneType) {
  CPortCfg* udp = model_.AddPort(PORT_UDP);     // 1658
  CPortCfg* com = model_.AddPort(PORT_SERIAL);  // COM1
  EXPECT_TRUE(model_.IsUDPPortInUse(1658, nullptr));
  EXPECT_FALSE(model_.IsUDPPortInUse(1658, udp));
  EXPECT_FALSE(model_.IsTCPPortInUse(1658, nullptr));
  EXPECT_TRUE(model_.IsComPortInUse(1, nullptr));
  EXPECT_FALSE(model_.IsComPortInUse(1, com));
  model_.RemovePort(0);
  EXPECT_FALSE(model_.IsUDPPortInUse(1658, nullptr));
}

TEST_F(CCfgMgrTest, ScheduledIterationSkipsRemovedTransfers) {
  for (int i = 0; i < 3; ++i) model_.AddScheduledXfer(std::make_unique<CScheduledXfer>());
  model_.AddScheduledXfer(nullptr);
  EXPECT_EQ(model_.GetScheduledXferCount(), 3);
  model_.GetScheduledXfer(1)->SetRemoved(true);
  EXPECT_EQ(model_.GetFirstScheduledXfer(), 0);
  EXPECT_EQ(model_.GetNextScheduledXfer(0), 2);
  EXPECT_EQ(model_.GetNextScheduledXfer(2), -1);
  EXPECT_EQ(model_.GetScheduledXfer(3), nullptr);
}

}  // namespace
}  // namespace kz::config
