#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "projfiles/dbase_file.h"
#include "support/file_faults.h"
#include "support/temp_env.h"

namespace kz::projfiles {
namespace {

struct RawField {
  std::string name;
  char type;
  int length;
};

// A table as another writer would make it: header length 32n + 33 unless `pad` adds the NUL
// byte, `count` records claimed in the header, the given records (flag included) and 0x1A.
std::string RawTable(const std::vector<RawField>& fields, const std::vector<std::string>& records,
                     bool pad = false, long count = -1) {
  int record_length = 1;
  for (const auto& f : fields) record_length += f.length;
  const int header_length = 32 + 32 * static_cast<int>(fields.size()) + (pad ? 2 : 1);
  std::string out(32, '\0');
  const auto put = [&out](int at, unsigned long value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  out[0] = 0x03;
  put(4, static_cast<unsigned long>(count < 0 ? static_cast<long>(records.size()) : count), 4);
  put(8, header_length, 2);
  put(10, record_length, 2);
  for (const auto& f : fields) {
    std::string d(32, '\0');
    d.replace(0, f.name.size(), f.name);
    d[11] = f.type;
    d[16] = static_cast<char>(f.length);
    out += d;
  }
  out += '\x0D';
  if (pad) out += '\0';
  for (const auto& r : records) out += r;
  out += '\x1A';
  return out;
}

std::string Pad(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

const std::vector<RawField> kNameUnit = {{"NAME", 'C', 8}, {"UNIT", 'C', 4}, {"RAW", 'N', 5}};

std::string Row(char flag, std::string name, std::string unit, std::string raw = "    7") {
  return std::string(1, flag) + Pad(std::move(name), 8) + Pad(std::move(unit), 4) + raw;
}

class DbaseFileTest : public test::TempEnvTest {
 protected:
  CDBaseFile OpenRaw(const std::string& bytes) {
    CDBaseFile f;
    EXPECT_TRUE(f.OpenBytes(bytes));
    return f;
  }
  // The same bytes as a file, read through the record buffer.
  CDBaseFile OpenOnDisk(const std::string& bytes) {
    const auto path = env_.Path("raw.dbf");
    test::WriteFile(path, bytes);
    CDBaseFile f;
    EXPECT_TRUE(f.Open(path, CDBaseFile::Mode::ReadOnly));
    return f;
  }
  std::vector<std::string> LiveNames(CDBaseFile& f) {
    std::vector<std::string> names;
    for (bool more = f.Locate(false, false); more; more = f.Locate(true, false)) {
      names.push_back(Current(f, 1));
    }
    return names;
  }
  static std::string Current(CDBaseFile& f, std::int32_t field) {
    std::string v = "(failed)";
    f.ReadField(v, field);
    return v;
  }
  const DbfDate date_{2026, 12, 6};
};

// Values are trimmed by type (character fields lose trailing blanks, numeric ones come as
// stored) and end at their first NUL; names match without case, eleven bytes without a NUL being
// a whole name; reads outside the records or fields fail and leave the value alone.
TEST_F(DbaseFileTest, FieldsReadAlikeWithEitherHeaderLength) {
  const std::vector<RawField> fields = {{"A", 'C', 4},          {"B", 'C', 4}, {"C", 'C', 4},
                                        {"D", 'C', 4},          {"N", 'N', 5}, {"Z", 'C', 6},
                                        {"ABCDEFGHIJK", 'C', 2}};
  const std::string row = " AB      " + std::string("  ABABCD 3.5 AB \0CDxy", 21);
  const struct {
    std::int32_t field;
    std::int64_t record;
    const char* name;  // read by name instead when set
    const char* want;
  } cases[] = {
      {1, 1, nullptr, "AB"},       {2, 1, nullptr, ""},          {3, 1, nullptr, "  AB"},
      {4, 1, nullptr, "ABCD"},     {5, 1, nullptr, " 3.5 "},     {6, 1, nullptr, "AB "},
      {0, 1, "abcdefghijk", "xy"}, {0, 1, "abcdefghij", "kept"}, {0, 1, "n", " 3.5 "},
      {8, 1, nullptr, "kept"},     {0, 1, nullptr, "kept"},      {1, 2, nullptr, "kept"},
      {1, -1, nullptr, "kept"},
  };
  for (bool pad : {false, true}) {
    CDBaseFile f = OpenRaw(RawTable(fields, {row}, pad));
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "pad " << pad << " field " << c.field << " record "
                                      << c.record << " " << (c.name ? c.name : ""));
      std::string v = "kept";
      const int result =
          c.name ? f.ReadFieldByName(v, c.name, c.record) : f.ReadField(v, c.field, c.record);
      EXPECT_EQ(result, std::string(c.want) == "kept" ? kDbfFailed : kDbfDone);
      EXPECT_EQ(v, c.want);
    }
    EXPECT_TRUE(f.IsDeleted(2));
    EXPECT_FALSE(f.IsDeleted(1));
    EXPECT_FALSE(OpenRaw(RawTable({}, {}, pad)).Locate(false, false));
  }
}

TEST_F(DbaseFileTest, DescriptorsEndAtTheTerminatorOfAPaddedHeader) {
  // Header length 32 + 3 x 32 + 1 + 64: after the terminator, bytes shaped like a fourth field.
  std::string bytes = RawTable(kNameUnit, {});
  std::string junk(64, '\0');
  junk.replace(0, 4, "JUNK");
  junk[11] = 'C';
  junk[16] = 9;
  bytes.insert(32 + 96 + 1, junk);
  bytes[8] = static_cast<char>(129 + 64);
  EXPECT_EQ(OpenRaw(bytes).Fields().size(), 3u);
}

// Live records in file order, or the first matching leading values compared without case;
// values beyond the last field are ignored.
TEST_F(DbaseFileTest, LocateVisitsLiveRecordsInFileOrderAndMatchesWithoutCase) {
  CDBaseFile f = OpenRaw(RawTable(kNameUnit, {Row(' ', "A", "S1"), Row('*', "B", "S1"),
                                              Row(' ', "C", "S2"), Row('*', "D", "S2")}));
  EXPECT_EQ(LiveNames(f), (std::vector<std::string>{"A", "C"}));
  EXPECT_FALSE(f.Locate(true, false));  // stays exhausted
  ASSERT_TRUE(f.Locate(false, true));
  EXPECT_EQ(Current(f, 1), "B");
  EXPECT_TRUE(f.IsDeleted());
  CDBaseFile g =
      OpenRaw(RawTable(kNameUnit, {Row(' ', "Pump", "S1", "    1"), Row(' ', "PUMP", "S2", "    2"),
                                   Row(' ', "pump", "S2", "    3")}));
  std::vector<std::string> raw;
  for (bool more = g.Locate(false, false, {"pump", "s2"}); more;
       more = g.Locate(true, false, {"pump", "s2"})) {
    raw.push_back(Current(g, 3));
  }
  EXPECT_EQ(raw, (std::vector<std::string>{"    2", "    3"}));
  ASSERT_TRUE(g.Locate(false, false, {"PUMP", "S1", "    1", "extra"}));
  EXPECT_EQ(Current(g, 3), "    1");
}

// Tables shorter than their header says, in memory and as files read through the buffer: a
// truncated trailing record is ignored, and a huge record count stops at the end of the bytes.
TEST_F(DbaseFileTest, ReadsStopAtTheEndOfTheBytes) {
  std::string cut = RawTable(kNameUnit, {Row(' ', "A", "S1"), Row(' ', "B", "S2")});
  cut.resize(cut.size() - 5);  // the 0x1A and the last 4 bytes of record 2
  for (const std::string& bytes :
       {cut, RawTable(kNameUnit, {Row(' ', "A", "S1")}, false, 0xFFFFFFFFL)}) {
    for (bool on_disk : {false, true}) {
      SCOPED_TRACE(testing::Message() << bytes.size() << (on_disk ? " on disk" : " in memory"));
      CDBaseFile f = on_disk ? OpenOnDisk(bytes) : OpenRaw(bytes);
      EXPECT_EQ(LiveNames(f), (std::vector<std::string>{"A"}));
      std::string v;
      EXPECT_EQ(f.ReadField(v, 1, 2), kDbfFailed);
      EXPECT_TRUE(f.IsDeleted(1000));
      ASSERT_EQ(f.ReadField(v, 2, 1), kDbfDone);  // back before the end
      EXPECT_EQ(v, "S1");
    }
  }
}

TEST_F(DbaseFileTest, RecordCountPastTheEndRefusesAppends) {
  // Found by fuzzing: the append went to header + count x length, gigabytes past the end.
  CDBaseFile f;
  const auto path = env_.Path("t.dbf");
  test::WriteFile(path, RawTable(kNameUnit, {Row(' ', "A", "S1")}, false, 3));
  ASSERT_TRUE(f.Open(path, CDBaseFile::Mode::ReadWrite));
  EXPECT_EQ(f.AppendRecord({"x"}), kDbfFailed);
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(std::filesystem::file_size(path), 32u + 96 + 1 + 18 + 1);
}

TEST_F(DbaseFileTest, HeaderThatCannotHoldItsDescriptorsDoesNotOpenAndSaysWhy) {
  const std::string bytes = RawTable(kNameUnit, {Row(' ', "A", "S1")});
  std::string low = bytes;
  low[8] = 20;
  low[9] = 0;
  std::vector<std::pair<std::string, std::string>> cases = {{low, "header length 20 is below 32"}};
  for (std::size_t cut : {0u, 5u, 11u, 31u, 40u, 127u}) {
    cases.emplace_back(bytes.substr(0, cut), "header is cut short");
  }
  for (const auto& [data, reason] : cases) {
    SCOPED_TRACE(data.size());
    CDBaseFile f;
    const Status opened = f.OpenBytes(data, CDBaseFile::Mode::ReadOnly);
    EXPECT_TRUE(opened.Is(Status::Kind::kCorrupt));
    EXPECT_EQ(opened.reason(), reason);
  }
}

TEST_F(DbaseFileTest, FieldsPastTheRecordLengthAreNotRead) {
  std::string bytes = RawTable(kNameUnit, {Row(' ', "A", "S1")});
  bytes[10] = 13;  // room for the flag, NAME and UNIT; RAW would reach into the next record
  CDBaseFile f = OpenRaw(bytes);
  std::string v;
  EXPECT_EQ(f.ReadField(v, 2, 1), kDbfDone);
  EXPECT_EQ(f.ReadField(v, 3, 1), kDbfFailed);
  EXPECT_FALSE(f.OpenBytes(bytes, CDBaseFile::Mode::ReadWrite) &&
               f.AppendRecord({"x"}) == kDbfDone);
  // What is not a file is refused where files are opened; the reason comes through.
  EXPECT_EQ(f.Open(env_.Path("none.dbf"), CDBaseFile::Mode::ReadWrite).message(),
            env_.Path("none.dbf").string() + ": No such file or directory");
}

TEST_F(DbaseFileTest, CreatedTableHasExactBytes) {
  const std::vector<CFieldNode> fields = {CFieldNode("NAME", 3), CFieldNode("UNIT", 2)};
  const auto path = env_.Path("t.dbf");
  ASSERT_EQ(CDBaseFile::Create(path, fields, date_), kDbfCreated);
  std::string expected("\x03\x7e\x0c\x06\0\0\0\0\x62\0\x06\0", 12);
  expected += std::string(20, '\0');
  expected += std::string("NAME\0\0\0\0\0\0\0C\0\0\0\0\x03", 17) + std::string(15, '\0');
  expected += std::string("UNIT\0\0\0\0\0\0\0C\0\0\0\0\x02", 17) + std::string(15, '\0');
  expected += std::string("\x0d\0", 2);
  EXPECT_EQ(test::ReadFile(path), expected);

  CDBaseFile f;
  ASSERT_TRUE(f.Open(path, CDBaseFile::Mode::ReadWrite));
  ASSERT_TRUE(f.Close());  // without appends: writes nothing
  EXPECT_EQ(test::ReadFile(path), expected);
  ASSERT_TRUE(f.Open(path, CDBaseFile::Mode::ReadWrite));
  EXPECT_EQ(f.AppendRecord({"abcd", "x", "beyond the last field"}), kDbfDone);
  EXPECT_EQ(f.AppendRecord({"k"}), kDbfDone);
  ASSERT_TRUE(f.Close());
  expected[4] = 2;
  expected += " abcx  k    \x1a";
  EXPECT_EQ(test::ReadFile(path), expected);
}

TEST_F(DbaseFileTest, FailedCreateLeavesTheOldTableAndNoPart) {
  const std::vector<CFieldNode> fields = {CFieldNode("A", 1)};
  EXPECT_EQ(CDBaseFile::Create(env_.Path("no/such/t.dbf"), fields, date_), kDbfCreateFailed);
  const auto path = env_.Path("t.dbf");
  test::WriteFile(path, "old table");
  test::FailEachStepInTurn(
      [&] { return CDBaseFile::Create(path, fields, date_) == kDbfCreated; },
      [&](const std::string& step) {
        EXPECT_EQ(test::ReadFile(path), "old table") << step;
        EXPECT_EQ(test::FileNames(env_.root()), std::vector<std::string>{"t.dbf"}) << step;
      });
  CDBaseFile f;
  EXPECT_TRUE(f.Open(path, CDBaseFile::Mode::ReadOnly));
  EXPECT_EQ(f.AppendRecord({"x"}), kDbfFailed);  // opened read-only
  EXPECT_EQ(f.RecordCount(), 0u);
}

TEST_F(DbaseFileTest, ScanAcrossManyBufferRefillsSeesEveryRecordOrReportsAFailedOne) {
  // Records of 3000 bytes: the read buffer holds only a few at a time.
  std::vector<CFieldNode> wide = {{"NAME", 10}, {"PAD", 255}, {"UNIT", 10}};
  for (int i = 0; i < 10; ++i) wide.emplace_back("X" + std::to_string(i), 255);
  const auto path = env_.Path("big.dbf");
  ASSERT_EQ(CDBaseFile::Create(path, wide, date_), kDbfCreated);
  CDBaseFile w;
  ASSERT_TRUE(w.Open(path, CDBaseFile::Mode::ReadWrite));
  for (int i = 0; i < 500; ++i) {
    ASSERT_EQ(w.AppendRecord({"N" + std::to_string(i), "", "U" + std::to_string(i % 7)}), kDbfDone);
  }
  ASSERT_TRUE(w.Close());
  CDBaseFile r;
  ASSERT_TRUE(r.Open(path, CDBaseFile::Mode::ReadOnly));
  int seen = 0;
  for (bool more = r.Locate(false, false); more; more = r.Locate(true, false), ++seen) {
    ASSERT_EQ(Current(r, 1), "N" + std::to_string(seen));
    ASSERT_EQ(Current(r, 3), "U" + std::to_string(seen % 7));
  }
  EXPECT_EQ(seen, 500);
  std::string v;
  ASSERT_EQ(r.ReadField(v, 1, 3), kDbfDone);  // backwards after the scan
  EXPECT_EQ(v, "N2");
  // A failed refill (after the first) ends the scan and is reported.
  const auto scan = [&] {
    for (bool more = r.Locate(false, false); more; more = r.Locate(true, false)) ++seen;
    return seen == 500;
  };
  seen = 0;
  EXPECT_FALSE(test::WithFailingStep(platform::FileStep::Read, scan, 1));
  EXPECT_EQ(r.ReadStatus().error(), EIO);
  EXPECT_EQ(r.ReadStatus().file(), path);
}

}  // namespace
}  // namespace kz::projfiles
