// The model's collections, index and uniqueness checks (no file involved).
#include <gtest/gtest.h>

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "config/tcp_cfg.h"
#include "config/udp_cfg.h"
#include "platform/profile_document.h"

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
  // Re-keys `t` to `station` as the editor does: the record first, then the index.
  void Rekey(CConnectionCfg* t, int station) {
    const std::string old_key = CCfgMgr::MakeConnectionKey(t->GetStationNumber(), t->GetID());
    t->SetStationNumber(station);
    model_.RekeyConnection(t, old_key);
  }

  CCfgMgr model_;
};

TEST_F(CCfgMgrTest, RefusedDuplicateStaysWithTheCallerAndRemovalFreesTheKey) {
  EXPECT_EQ(model_.FindConnection("5.1"), Add(5, 1, "a.csv"));
  EXPECT_EQ(model_.FindConnection("5.10"), nullptr);
  auto second = Transfer(5, 1, "b.csv");
  EXPECT_EQ(model_.AddConnection(second), kDuplicateTransfer);
  ASSERT_NE(second, nullptr);
  model_.RemoveConnection(-1);
  model_.RemoveConnection(1);
  EXPECT_FALSE(model_.GetConnection(0)->IsRemoved());
  model_.RemoveConnection(0);
  EXPECT_TRUE(model_.GetConnection(0)->IsRemoved());
  EXPECT_EQ(model_.FindConnection("5.1"), nullptr);
  EXPECT_EQ(model_.FindConnection("5.1"), Add(5, 1, "b.csv"));
  EXPECT_EQ(model_.GetConnectionCount(), 2);
}

// A transfer not built yet (no `self`) is checked against every data file, removed ones too; an
// edited one only against the live others. The key is checked first.
TEST_F(CCfgMgrTest, ValidateConnectionChecksKeyThenDataFile) {
  Add(1, 1, "Used.csv");
  CConnectionCfg* empty = Add(2, 1, "");
  Add(3, 1, "");  // a built transfer's empty data file is always accepted
  CConnectionCfg* b = Add(4, 1, "b.csv");
  CConnectionCfg* marked = Add(6, 1, "m.csv");
  model_.RemoveConnection(0);
  marked->SetRemoved(true);  // marked past the model: still indexed, yet holds nothing
  const struct {
    int station;
    const char* data_file;
    const CConnectionCfg* self;
    int want;
  } cases[] = {
      {9, "used.CSV", nullptr, kDuplicateDataFile},
      {9, "", nullptr, kDuplicateDataFile},
      {9, "new.csv", nullptr, kCfgOk},
      {2, "used.csv", nullptr, kDuplicateTransfer},
      {9, "used.csv", b, kCfgOk},
      {4, "b.csv", b, kCfgOk},
      {2, "x.csv", b, kDuplicateTransfer},
      {1, "x.csv", b, kCfgOk},
      {9, "B.CSV", empty, kDuplicateDataFile},
      {9, "b.csv ", empty, kCfgOk},
      {6, "M.csv", b, kCfgOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.station << " " << c.data_file << " " << c.self);
    EXPECT_EQ(model_.ValidateConnection(c.station, 1, c.data_file, c.self), c.want);
  }
  EXPECT_EQ(model_.ValidateConnection(*empty), kCfgOk);
}

TEST_F(CCfgMgrTest, KeyStaysTakenWhileAnotherLiveTransferHoldsIt) {
  // Two transfers under one key, as a file can hold them; the later one is indexed.
  CConnectionCfg* first = Add(1, 1, "a.csv");
  CConnectionCfg* later = Add(2, 1, "b.csv");
  Rekey(later, 1);
  EXPECT_EQ(model_.FindConnection("2.1"), nullptr);
  ASSERT_EQ(model_.FindConnection("1.1"), later);

  model_.RemoveConnection(1);
  EXPECT_EQ(model_.FindConnection("1.1"), first);
  auto third = Transfer(1, 1, "c.csv");
  EXPECT_EQ(model_.AddConnection(third), kDuplicateTransfer);

  // Moving the indexed one away leaves the other indexed too.
  CConnectionCfg* moved = Add(3, 1, "d.csv");
  Rekey(moved, 1);
  Rekey(moved, 4);
  EXPECT_EQ(model_.FindConnection("1.1"), first);
  EXPECT_EQ(model_.FindConnection("4.1"), moved);
}

TEST_F(CCfgMgrTest, AddPortNumbersEachTypeOnFromItsHighestEver) {
  EXPECT_EQ(model_.AddPort(PORT_UDP)->GetNumber(), 1658);
  static_cast<CUDPCfg*>(model_.AddPort(PORT_UDP))->SetPortNumber(1700);
  model_.RemovePort(1);
  EXPECT_EQ(model_.AddPort(PORT_UDP)->GetNumber(), 1701);
  EXPECT_EQ(model_.AddPort(PORT_TCP)->GetNumber(), 1658);
  EXPECT_EQ(model_.AddPort(PORT_SERIAL)->EntryText(), "COM1");
  EXPECT_EQ(model_.AddPort(7), nullptr);
  EXPECT_EQ(model_.GetPortCount(), 5);
  // At the highest number the next one does not overflow.
  static_cast<CTCPCfg*>(model_.GetPort(3))->SetPortNumber(std::numeric_limits<int>::max());
  EXPECT_EQ(model_.AddPort(PORT_TCP)->GetNumber(), std::numeric_limits<int>::max());
  // A discarded port leaves no trace, not even in the numbering.
  model_.DiscardLastPort();
  EXPECT_EQ(model_.GetPortCount(), 5);
  for (int i = 0; i < 6; ++i) model_.DiscardLastPort();
  EXPECT_EQ(model_.GetPortCount(), 0);
  EXPECT_EQ(model_.AddPort(PORT_UDP)->GetNumber(), 1658);
}

TEST_F(CCfgMgrTest, IterationSkipsRemovedPortsAndScheduledTransfers) {
  for (int i = 0; i < 4; ++i) model_.AddPort(PORT_UDP);
  for (int i : {0, 2, 4, -1}) model_.RemovePort(i);
  EXPECT_EQ(model_.GetFirstPort(), 1);
  EXPECT_EQ(model_.GetNextPort(1), 3);
  EXPECT_EQ(model_.GetNextPort(3), -1);
  model_.RemovePort(1);
  model_.RemovePort(3);
  EXPECT_EQ(model_.GetFirstPort(), -1);

  for (int i = 0; i < 3; ++i) model_.AddScheduledXfer(std::make_unique<CScheduledXfer>());
  model_.AddScheduledXfer(nullptr);
  EXPECT_EQ(model_.GetScheduledXferCount(), 3);
  model_.GetScheduledXfer(1)->SetRemoved(true);
  EXPECT_EQ(model_.GetFirstScheduledXfer(), 0);
  EXPECT_EQ(model_.GetNextScheduledXfer(0), 2);
  EXPECT_EQ(model_.GetNextScheduledXfer(2), -1);
  EXPECT_EQ(model_.GetScheduledXfer(3), nullptr);
}

TEST_F(CCfgMgrTest, PortNumbersClashOnlyWithinOneTypeAndInsertClampsItsIndex) {
  CPortCfg* udp = model_.AddPort(PORT_UDP);     // 1658
  CPortCfg* com = model_.AddPort(PORT_SERIAL);  // COM1
  EXPECT_TRUE(model_.IsUDPPortInUse(1658, nullptr));
  EXPECT_FALSE(model_.IsUDPPortInUse(1658, udp));
  EXPECT_FALSE(model_.IsTCPPortInUse(1658, nullptr));
  EXPECT_TRUE(model_.IsComPortInUse(1, nullptr));
  EXPECT_FALSE(model_.IsComPortInUse(1, com));
  auto tcp = std::make_unique<CTCPCfg>();
  CTCPCfg* raw = tcp.get();
  model_.InsertPort(1, std::move(tcp));
  EXPECT_EQ(model_.GetPort(1), raw);
  model_.InsertPort(99, std::make_unique<CTCPCfg>());
  model_.InsertPort(-4, std::make_unique<CSerialCfg>());
  EXPECT_EQ(model_.GetPortCount(), 5);
  EXPECT_EQ(model_.GetPort(0)->GetType(), PORT_SERIAL);
  EXPECT_EQ(model_.GetPort(4)->GetType(), PORT_TCP);
  ASSERT_EQ(model_.GetPort(1), udp);
  model_.RemovePort(1);
  EXPECT_FALSE(model_.IsUDPPortInUse(1658, nullptr));
}

// The data file index follows every change of a transfer's data file and removed mark, whoever
// makes it: the uniqueness checks read only the index.
TEST_F(CCfgMgrTest, DataFileIndexFollowsDataFileChangesRemovalsAndReloads) {
  CConnectionCfg* a = Add(1, 1, "/d/A.csv");
  CConnectionCfg* b = Add(2, 1, "/d/b.csv");
  EXPECT_TRUE(model_.IsDataFileInUse("/D/a.CSV", b));
  EXPECT_FALSE(model_.IsDataFileInUse("/d/a.csv", a));  // its own file does not count

  a->SetDataFile("/d/c.csv");  // as the Edit Transfer dialog does, past the model
  EXPECT_FALSE(model_.IsDataFileInUse("/d/a.csv", b));
  EXPECT_TRUE(model_.IsDataFileInUse("/d/C.csv", b));
  EXPECT_EQ(model_.ValidateConnection(9, 1, "/d/a.csv", nullptr), kCfgOk);

  model_.RemoveConnection(0);
  EXPECT_FALSE(model_.IsDataFileInUse("/d/c.csv", b));
  // A transfer not built yet is checked against removed transfers' files too.
  EXPECT_EQ(model_.ValidateConnection(9, 1, "/d/c.csv", nullptr), kDuplicateDataFile);
  a->SetDataFile("/d/e.csv");  // a removed record's change moves only its own entry
  EXPECT_EQ(model_.ValidateConnection(9, 1, "/d/c.csv", nullptr), kCfgOk);
  EXPECT_FALSE(model_.IsDataFileInUse("/d/e.csv", b));

  // Two transfers with one file: one of them leaving keeps the file taken.
  Add(3, 1, "/d/x.csv");
  model_.Load(platform::ProfileDocument(
      "[transfers]\r\n0=xfer0\r\n1=xfer1\r\n[xfer0]\r\ndata file=/x.csv\r\n"
      "[xfer1]\r\nstation number=1\r\ndata file=/X.csv\r\n"));
  EXPECT_FALSE(model_.IsDataFileInUse("/d/b.csv", nullptr));
  model_.RemoveConnection(0);
  EXPECT_TRUE(model_.IsDataFileInUse("/x.csv", nullptr));
  EXPECT_FALSE(model_.IsDataFileInUse("/x.csv", model_.GetConnection(1)));

  // The room a file no transfer uses any more is taken again, by one file.
  Add(7, 1, "/y.csv")->SetDataFile("/z1.csv");
  Add(8, 1, "/z2.csv");
  Add(9, 1, "/z3.csv");
  for (const char* file : {"/z1.csv", "/z2.csv", "/z3.csv"}) {
    EXPECT_TRUE(model_.IsDataFileInUse(file, nullptr)) << file;
  }
  EXPECT_FALSE(model_.IsDataFileInUse("/y.csv", nullptr));
}

}  // namespace
}  // namespace kz::config
