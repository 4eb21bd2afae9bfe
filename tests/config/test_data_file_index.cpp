// The model's data file index follows every change of a transfer's data file and removed mark,
// whoever makes it: the uniqueness checks read only the index.
#include <gtest/gtest.h>

#include <memory>

#include "config/cfg_mgr.h"
#include "platform/profile_document.h"

namespace kz::config {
namespace {

CConnectionCfg* Add(CCfgMgr& model, int station, const std::string& data_file) {
  auto transfer = std::make_unique<CConnectionCfg>();
  transfer->SetStationNumber(station);
  transfer->SetID(1);
  transfer->SetDataFile(data_file);
  CConnectionCfg* raw = transfer.get();
  EXPECT_EQ(model.AddConnection(transfer), kCfgOk);
  return raw;
}

TEST(DataFileIndex, FollowsDataFileChangesRemovalsAndReloads) {
  CCfgMgr model;
  CConnectionCfg* a = Add(model, 1, "/d/A.csv");
  CConnectionCfg* b = Add(model, 2, "/d/b.csv");
  EXPECT_TRUE(model.IsDataFileInUse("/D/a.CSV", b));
  EXPECT_FALSE(model.IsDataFileInUse("/d/a.csv", a));  // its own file does not count

  a->SetDataFile("/d/c.csv");  // as the Edit Transfer dialog does, past the model
  EXPECT_FALSE(model.IsDataFileInUse("/d/a.csv", b));
  EXPECT_TRUE(model.IsDataFileInUse("/d/C.csv", b));
  EXPECT_EQ(model.ValidateConnection(9, 1, "/d/a.csv", nullptr), kCfgOk);

  model.RemoveConnection(0);
  EXPECT_FALSE(model.IsDataFileInUse("/d/c.csv", b));
  // A transfer not built yet is checked against removed transfers' files too.
  EXPECT_EQ(model.ValidateConnection(9, 1, "/d/c.csv", nullptr), kDuplicateDataFile);
  a->SetDataFile("/d/e.csv");  // a removed record's change moves only its own entry
  EXPECT_EQ(model.ValidateConnection(9, 1, "/d/c.csv", nullptr), kCfgOk);
  EXPECT_FALSE(model.IsDataFileInUse("/d/e.csv", b));

  // Two transfers with one file: one of them leaving keeps the file taken.
  Add(model, 3, "/d/x.csv");
  model.Load(platform::ProfileDocument(
      "[transfers]\r\n0=xfer0\r\n1=xfer1\r\n[xfer0]\r\ndata file=/x.csv\r\n"
      "[xfer1]\r\nstation number=1\r\ndata file=/X.csv\r\n"));
  EXPECT_FALSE(model.IsDataFileInUse("/d/b.csv", nullptr));
  model.RemoveConnection(0);
  EXPECT_TRUE(model.IsDataFileInUse("/x.csv", nullptr));
  EXPECT_FALSE(model.IsDataFileInUse("/x.csv", model.GetConnection(1)));
}

}  // namespace
}  // namespace kz::config
