// Fuzz target of the dBase reader: open a table from bytes, read every record and field by
// number and by name, walk the live records with Locate, then append to it in memory.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "projfiles/dbase_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using kz::projfiles::CDBaseFile;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CDBaseFile table;
  if (!table.OpenBytes(bytes)) return 0;
  // Records past the bytes fail; a few beyond the end are enough to prove it without walking a
  // claimed count of four billion.
  const std::int64_t reachable =
      table.RecordLength() == 0 ? 0 : static_cast<std::int64_t>(size / table.RecordLength());
  const std::int64_t last = std::min<std::int64_t>(table.RecordCount(), reachable + 2);
  std::string value;
  for (std::int64_t r = 0; r <= last; ++r) {
    table.IsDeleted(r);
    for (std::int32_t f = 0; f <= table.FieldCount() + 1; ++f) table.ReadField(value, f, r);
    for (const auto& node : table.Fields()) table.ReadFieldByName(value, node.Name(), r);
  }
  for (bool more = table.Locate(false, false); more; more = table.Locate(true, false)) {
    table.ReadField(value, 1);
  }
  if (table.FieldCount() > 0 && table.ReadField(value, 1, 1) == kz::projfiles::kDbfDone) {
    table.Locate(false, false, {value});
  }
  table.Close();

  CDBaseFile writable;
  if (writable.OpenBytes(bytes, CDBaseFile::Mode::ReadWrite) &&
      writable.AppendRecord({"fuzz", "x"}) == kz::projfiles::kDbfDone) {
    writable.ReadField(value, 1);
    writable.Close();
  }
  return 0;
}
