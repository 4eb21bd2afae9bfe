// CDBaseFile: reader and writer of dBase III tables (dbase_format.h has the byte layout). It reads
// any table, whatever its field types, and creates only tables of character fields; there is no
// index, memo, update or delete. A table is either read, or created empty and then appended to.
//
// Readers: Open, then Locate(false, false, {}) for the first live record and Locate(true, ...)
// for each next one, ReadFieldByName(value, name) after each hit, then Close.
// Writers: Create, Open(ReadWrite), AppendRecord per row, Close (which writes the record count).
// A table can also live in memory (OpenBytes / Bytes), which is how fuzzing reads it and how the
// trend tag store is built before it replaces its file atomically.
//
// Reads go through a buffer of whole records, so a scan costs about one read of the file. The
// reader never uses bytes it did not read: a record that is not wholly in the file does not exist
// for ReadField (0), IsDeleted (true) and Locate (the search ends there).
//
// Record and field numbers are 1-based; record number 0 means the current record. Not
// thread-safe; one object per table and operation.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/unique_fd.h"
#include "projfiles/dbase_format.h"

namespace kz::projfiles {

// Results of the record operations (ReadField, ReadFieldByName, AppendRecord).
inline constexpr int kDbfDone = 1;
inline constexpr int kDbfFailed = 0;
// Results of Create.
inline constexpr int kDbfCreated = 0;
inline constexpr int kDbfCreateFailed = -1;

// The date written into a new table's header.
struct DbfDate {
  int year = 1900;  // full year: 2026
  int month = 1;    // 1..12
  int day = 1;      // 1..31
};
DbfDate LocalDate();

// One field descriptor.
class CFieldNode {
 public:
  CFieldNode() = default;  // number 0; callers fill name and length
  // A character field for Create; the name is cut to 11 bytes.
  CFieldNode(std::string_view name, std::uint8_t length);
  CFieldNode(std::int32_t number, const std::array<char, dbf::kNameSize>& name, char type,
             std::uint32_t address, std::uint8_t length, std::uint8_t decimals,
             const std::array<std::uint8_t, dbf::kReservedSize>& reserved);

  // The name up to its first NUL (all 11 bytes when there is none); a view into m_name.
  std::string_view Name() const;

  std::int32_t m_nNumber = 0;
  std::array<char, dbf::kNameSize> m_name{};
  char m_type = dbf::kCharacterType;
  std::uint32_t m_ulAddress = 0;
  std::uint8_t m_nLength = 0;
  std::uint8_t m_nDecimals = 0;
  std::array<std::uint8_t, dbf::kReservedSize> m_reserved{};
};

// The descriptors of one table in record order; owns them.
class CFieldList {
 public:
  void Add(const CFieldNode& node) { nodes_.push_back(node); }
  void Clear() { nodes_.clear(); }
  std::size_t size() const { return nodes_.size(); }
  const CFieldNode& operator[](std::size_t i) const { return nodes_[i]; }
  auto begin() const { return nodes_.begin(); }
  auto end() const { return nodes_.end(); }

  // The node with that 1-based number, or nullptr. Borrowed from the list.
  const CFieldNode* FindField(std::int32_t number) const;
  // The first node whose name equals `name` without ASCII case, or nullptr.
  const CFieldNode* FindFieldByName(std::string_view name) const;

 private:
  std::vector<CFieldNode> nodes_;
};

class CDBaseFile {
 public:
  enum class Mode { ReadOnly, ReadWrite };

  CDBaseFile() = default;
  // Closes without writing the record count back: writers call Close first.
  ~CDBaseFile() = default;
  CDBaseFile(const CDBaseFile&) = delete;
  CDBaseFile& operator=(const CDBaseFile&) = delete;
  CDBaseFile(CDBaseFile&&) = default;
  CDBaseFile& operator=(CDBaseFile&&) = default;

  // Opens the file and reads the header and descriptors. A failure when the file cannot be
  // opened or its header cannot be read whole (shorter than its descriptors, header length below
  // 32); its reason is short ("No such file or directory").
  Status Open(const std::filesystem::path& path, Mode mode);
  // The same over a table in memory; ReadWrite appends grow the buffer (see Bytes).
  Status OpenBytes(std::string bytes, Mode mode = Mode::ReadOnly);

  // Creates (or replaces, in one step) `path` as an empty table of character fields: only each
  // node's name and length are used. kDbfCreated, or kDbfCreateFailed when the file cannot be
  // written (the old file, or none, is then left as it was) or the fields do not fit a header
  // (more than 2046 fields, record longer than 65535 bytes).
  static int Create(const std::filesystem::path& path, std::span<const CFieldNode> fields);
  static int Create(const std::filesystem::path& path, std::span<const CFieldNode> fields,
                    const DbfDate& date);
  // The bytes Create writes; nullopt when the fields do not fit a header.
  // The same as a Status naming the file (kInvalidArgument when the fields do not fit).
  static Status CreateFile(const std::filesystem::path& path, std::span<const CFieldNode> fields,
                           const DbfDate& date);
  static std::optional<std::string> CreateImage(std::span<const CFieldNode> fields,
                                                const DbfDate& date);

  // Appends one live record: values for fields 1, 2, ... (each cut to its field and at a NUL),
  // spaces for fields without a value, values beyond the last field ignored. kDbfDone, or
  // kDbfFailed when the table is not open for writing, its fields do not fit its record length,
  // its record count claims more records than the file holds, or the write failed (the table's
  // state after a failed write is not settled).
  int AppendRecord(std::span<const std::string_view> values);
  int AppendRecord(std::initializer_list<std::string_view> values) {
    return AppendRecord(std::span<const std::string_view>(values.begin(), values.size()));
  }

  // The value of a field: character fields lose trailing spaces, other types stay as stored;
  // every value ends at its first NUL. kDbfDone, or kDbfFailed (value untouched) when the record
  // or field does not exist, is not wholly in the file, or the field lies past the record length.
  int ReadField(std::string& value, std::int32_t field, std::int64_t record = 0);
  int ReadFieldByName(std::string& value, std::string_view name, std::int64_t record = 0);

  // True when the record is marked '*', and also when it does not exist or cannot be read.
  bool IsDeleted(std::int64_t record = 0);

  // Finds the first record (`resume` false) or the next after the last found (`resume` true)
  // whose deletion state equals `deleted` and whose fields 1, 2, ... equal `values` without
  // ASCII case (values beyond the last field are ignored). The found record becomes current.
  bool Locate(bool resume, bool deleted, std::span<const std::string_view> values);
  bool Locate(bool resume, bool deleted, std::initializer_list<std::string_view> values = {}) {
    return Locate(resume, deleted,
                  std::span<const std::string_view>(values.begin(), values.size()));
  }

  // Writes the record count back when records were appended, then closes. False when that
  // write failed. A memory table keeps its bytes (Bytes) after Close.
  bool Close();

  std::uint16_t HeaderLength() const { return header_length_; }
  std::uint16_t RecordLength() const { return record_length_; }
  std::uint32_t RecordCount() const { return record_count_; }
  std::int32_t FieldCount() const { return static_cast<std::int32_t>(fields_.size()); }
  const CFieldList& Fields() const { return fields_; }
  // The table's bytes when it lives in memory.
  const std::string& Bytes() const { return memory_; }
  // Ok, or the first failure to read records since Open: the records after it were not seen,
  // and a scan that ended there did not reach the end of the table.
  const Status& ReadStatus() const { return read_status_; }

 private:
  Status ParseHeader(std::string_view head);
  // Reads up to `size` bytes at `offset`; the count actually read.
  Result<std::size_t> ReadAt(std::uint64_t offset, char* dst, std::size_t size) const;
  Status WriteAt(std::uint64_t offset, std::string_view bytes);
  std::uint64_t CurrentSize() const;
  // The bytes of record r when the whole record could be read, else nullptr. Valid until the
  // next call that reads or writes.
  const char* Record(std::int64_t r);
  void Reset();

  platform::UniqueFd fd_;
  std::filesystem::path path_;  // of a file table, for the failures that name it
  Status read_status_;
  bool in_memory_ = false;
  std::string memory_;
  bool open_ = false;
  Mode mode_ = Mode::ReadOnly;

  std::uint16_t header_length_ = 0;
  std::uint16_t record_length_ = 0;
  std::uint32_t record_count_ = 0;
  std::int64_t current_ = 1;
  std::int64_t search_position_ = 1;
  bool appended_ = false;
  CFieldList fields_;
  std::vector<std::uint32_t> field_offsets_;  // from the record start, past the deletion flag

  // Records [window_first_, window_first_ + window_count_) of a file table.
  std::vector<char> window_;
  std::int64_t window_first_ = 0;
  std::int64_t window_count_ = 0;
};

}  // namespace kz::projfiles
