#include "projfiles/dbase_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/file_io.h"

namespace kz::projfiles {
namespace {

// Whole records per refill; large enough that a scan costs about what one read of the file does.
constexpr std::size_t kWindowBytes = 256 * 1024;
constexpr std::size_t kMaxHeaderLength = 0xFFFF;

std::uint32_t Le32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}
std::uint16_t Le16(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>(u[0] | (u[1] << 8));
}
void PutLe32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutLe16(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}

}  // namespace

DbfDate LocalDate() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

CFieldNode::CFieldNode(std::string_view name, std::uint8_t length) : m_nLength(length) {
  std::copy_n(name.begin(), std::min(name.size(), m_name.size()), m_name.begin());
}

CFieldNode::CFieldNode(std::int32_t number, const std::array<char, dbf::kNameSize>& name, char type,
                       std::uint32_t address, std::uint8_t length, std::uint8_t decimals,
                       const std::array<std::uint8_t, dbf::kReservedSize>& reserved)
    : m_nNumber(number),
      m_name(name),
      m_type(type),
      m_ulAddress(address),
      m_nLength(length),
      m_nDecimals(decimals),
      m_reserved(reserved) {}

std::string_view CFieldNode::Name() const {
  const auto end = std::find(m_name.begin(), m_name.end(), '\0');
  return std::string_view(m_name.data(), static_cast<std::size_t>(end - m_name.begin()));
}

const CFieldNode* CFieldList::FindField(std::int32_t number) const {
  if (number < 1 || static_cast<std::size_t>(number) > nodes_.size()) return nullptr;
  return &nodes_[static_cast<std::size_t>(number) - 1];
}

const CFieldNode* CFieldList::FindFieldByName(std::string_view name) const {
  for (const auto& node : nodes_) {
    if (platform::EqualsNoCase(node.Name(), name)) return &node;
  }
  return nullptr;
}

void CDBaseFile::Reset() {
  fd_.reset();
  in_memory_ = false;
  memory_.clear();
  open_ = false;
  header_length_ = record_length_ = 0;
  record_count_ = 0;
  current_ = search_position_ = 1;
  appended_ = false;
  fields_.Clear();
  field_offsets_.clear();
  window_.clear();
  window_first_ = window_count_ = 0;
  path_.clear();
  read_status_ = {};
}

Status CDBaseFile::Open(const std::filesystem::path& path, Mode mode) {
  Reset();
  auto fd = platform::OpenRegularFile(path, mode == Mode::ReadOnly ? O_RDONLY : O_RDWR);
  if (!fd) return fd.status();
  fd_ = std::move(*fd);
  path_ = path;
  mode_ = mode;
  // The header length is a 16-bit number, so one read of that much holds any header.
  std::string head(kMaxHeaderLength, '\0');
  const auto got = ReadAt(0, head.data(), head.size());
  Status parsed = got ? ParseHeader(std::string_view(head.data(), *got)) : got.status();
  if (!parsed) {
    Reset();
    return parsed;
  }
  open_ = true;
  return {};
}

Status CDBaseFile::OpenBytes(std::string bytes, Mode mode) {
  Reset();
  in_memory_ = true;
  memory_ = std::move(bytes);
  mode_ = mode;
  if (Status parsed = ParseHeader(memory_); !parsed) {
    Reset();
    return parsed;
  }
  open_ = true;
  return {};
}

Status CDBaseFile::ParseHeader(std::string_view head) {
  const auto corrupt = [&](std::string_view why) {
    return Status::Error(Status::Kind::kCorrupt, path_, why);
  };
  if (head.size() < dbf::kHeaderSize) return corrupt("header is cut short");
  record_count_ = Le32(head.data() + dbf::kRecordCountOffset);
  header_length_ = Le16(head.data() + dbf::kHeaderLengthOffset);
  record_length_ = Le16(head.data() + dbf::kRecordLengthOffset);
  if (header_length_ < dbf::kHeaderSize) {
    // Records would overlap the header itself.
    return corrupt("header length " + std::to_string(header_length_) + " is below 32");
  }
  current_ = 1;
  std::uint32_t offset_in_record = 1;  // past the deletion flag
  for (std::size_t off = dbf::kHeaderSize; off + dbf::kDescriptorBoundSlack < header_length_ &&
                                           off + dbf::kDescriptorSize <= header_length_;
       off += dbf::kDescriptorSize) {
    if (off + dbf::kDescriptorSize > head.size()) return corrupt("header is cut short");
    const char* d = head.data() + off;
    // A terminator where a name should start ends the descriptors of a header padded beyond
    // them; no field name starts with CR.
    if (d[0] == dbf::kHeaderTerminator) break;
    std::array<char, dbf::kNameSize> name{};
    std::memcpy(name.data(), d + dbf::kNameOffset, name.size());
    std::array<std::uint8_t, dbf::kReservedSize> reserved{};
    std::memcpy(reserved.data(), d + dbf::kReservedOffset, reserved.size());
    const auto length = static_cast<std::uint8_t>(d[dbf::kLengthOffset]);
    fields_.Add(CFieldNode(static_cast<std::int32_t>(fields_.size() + 1), name, d[dbf::kTypeOffset],
                           Le32(d + dbf::kAddressOffset), length,
                           static_cast<std::uint8_t>(d[dbf::kDecimalsOffset]), reserved));
    field_offsets_.push_back(offset_in_record);
    offset_in_record += length;
  }
  return {};
}

Result<std::size_t> CDBaseFile::ReadAt(std::uint64_t offset, char* dst, std::size_t size) const {
  if (in_memory_) {
    if (offset >= memory_.size()) return std::size_t{0};
    const std::size_t n = std::min<std::uint64_t>(size, memory_.size() - offset);
    std::memcpy(dst, memory_.data() + offset, n);
    return n;
  }
  return platform::ReadAt(fd_.get(), path_, offset, dst, size);
}

std::uint64_t CDBaseFile::CurrentSize() const {
  if (in_memory_) return memory_.size();
  struct stat st {};
  return fstat(fd_.get(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

Status CDBaseFile::WriteAt(std::uint64_t offset, std::string_view bytes) {
  if (in_memory_) {
    if (memory_.size() < offset + bytes.size()) memory_.resize(offset + bytes.size(), '\0');
    std::memcpy(memory_.data() + offset, bytes.data(), bytes.size());
    return {};
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd_.get(), bytes.data() + done, bytes.size() - done,
                               static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Status::FromErrno(n < 0 ? errno : ENOSPC, path_);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

const char* CDBaseFile::Record(std::int64_t r) {
  if (!open_ || r < 1 || r > static_cast<std::int64_t>(record_count_) || record_length_ == 0) {
    return nullptr;
  }
  const std::uint64_t offset = header_length_ + static_cast<std::uint64_t>(record_length_) *
                                                    static_cast<std::uint64_t>(r - 1);
  if (in_memory_) {
    if (offset + record_length_ > memory_.size()) return nullptr;
    return memory_.data() + offset;
  }
  if (r >= window_first_ && r < window_first_ + window_count_) {
    return window_.data() + static_cast<std::size_t>(r - window_first_) * record_length_;
  }
  const auto wanted = std::min<std::int64_t>(
      std::max<std::size_t>(1, kWindowBytes / record_length_), record_count_ - r + 1);
  window_.resize(static_cast<std::size_t>(wanted) * record_length_);
  const auto got = ReadAt(offset, window_.data(), window_.size());
  window_first_ = r;
  window_count_ = got ? static_cast<std::int64_t>(*got / record_length_) : 0;
  if (!got && read_status_) read_status_ = got.status();
  return window_count_ > 0 ? window_.data() : nullptr;
}

int CDBaseFile::ReadField(std::string& value, std::int32_t field, std::int64_t record) {
  const std::int64_t r = record == 0 ? current_ : record;
  const CFieldNode* node = fields_.FindField(field);
  if (!node) return kDbfFailed;
  const std::uint32_t offset = field_offsets_[static_cast<std::size_t>(field) - 1];
  // A field reaching past the record would read the next record's bytes.
  if (offset + node->m_nLength > record_length_) return kDbfFailed;
  const char* rec = Record(r);
  if (!rec) return kDbfFailed;
  const char* v = rec + offset;
  std::size_t n = node->m_nLength;
  if (node->m_type == dbf::kCharacterType) {
    while (n > 0 && v[n - 1] == ' ') --n;
  }
  if (const void* nul = std::memchr(v, '\0', n))
    n = static_cast<std::size_t>(static_cast<const char*>(nul) - v);
  value.assign(v, n);
  return kDbfDone;
}

int CDBaseFile::ReadFieldByName(std::string& value, std::string_view name, std::int64_t record) {
  const CFieldNode* node = fields_.FindFieldByName(name);
  if (!node) return kDbfFailed;
  return ReadField(value, node->m_nNumber, record);
}

bool CDBaseFile::IsDeleted(std::int64_t record) {
  const char* rec = Record(record == 0 ? current_ : record);
  return !rec || rec[0] == dbf::kDeletedFlag;
}

bool CDBaseFile::Locate(bool resume, bool deleted, std::span<const std::string_view> values) {
  const std::int64_t start = resume ? search_position_ : 1;
  search_position_ = start;
  const std::size_t compared = std::min(values.size(), fields_.size());
  std::string stored;
  for (std::int64_t r = start; r <= static_cast<std::int64_t>(record_count_); ++r) {
    const char* rec = Record(r);
    // A count larger than the file holds must not send the search through records that are
    // not there.
    if (!rec) return false;
    if ((rec[0] == dbf::kDeletedFlag) != deleted) continue;
    bool match = true;
    for (std::size_t i = 0; i < compared && match; ++i) {
      if (ReadField(stored, static_cast<std::int32_t>(i + 1), r) != kDbfDone) return false;
      match = platform::EqualsNoCase(stored, values[i]);
    }
    if (match) {
      current_ = r;
      search_position_ = r + 1;
      return true;
    }
  }
  return false;
}

int CDBaseFile::AppendRecord(std::span<const std::string_view> values) {
  if (!open_ || mode_ != Mode::ReadWrite || record_count_ == UINT32_MAX) return kDbfFailed;
  const std::size_t fields = fields_.size();
  const std::uint64_t needed =
      fields == 0 ? 1 : field_offsets_.back() + std::uint64_t{fields_[fields - 1].m_nLength};
  if (record_length_ == 0 || needed > record_length_) return kDbfFailed;
  std::string bytes(record_length_, ' ');
  bytes[0] = dbf::kLiveFlag;
  for (std::size_t i = 0; i < std::min(values.size(), fields); ++i) {
    std::string_view v = values[i];
    v = v.substr(0, v.find('\0'));  // the values are C strings where they come from
    const std::size_t n = std::min<std::size_t>(v.size(), fields_[i].m_nLength);
    std::memcpy(bytes.data() + field_offsets_[i], v.data(), n);
  }
  bytes.push_back(dbf::kEndOfFile);
  const std::uint64_t offset =
      header_length_ + std::uint64_t{record_length_} * std::uint64_t{record_count_};
  // A count claiming more records than the file holds would put the new record far past its
  // end (a huge sparse file, or a huge buffer); such a table is not appended to.
  if (offset > CurrentSize()) return kDbfFailed;
  window_count_ = 0;  // the buffered records may be stale now
  if (!WriteAt(offset, bytes)) return kDbfFailed;
  ++record_count_;
  current_ = record_count_;
  appended_ = true;
  return kDbfDone;
}

bool CDBaseFile::Close() {
  bool ok = true;
  if (open_ && appended_) {
    char count[4];
    PutLe32(count, record_count_);
    ok = WriteAt(dbf::kRecordCountOffset, std::string_view(count, 4)).ok();
  }
  appended_ = false;
  open_ = false;
  if (!in_memory_) fd_.reset();
  fields_.Clear();
  field_offsets_.clear();
  window_.clear();
  window_count_ = 0;
  return ok;
}

std::optional<std::string> CDBaseFile::CreateImage(std::span<const CFieldNode> fields,
                                                   const DbfDate& date) {
  const std::size_t header_length = dbf::kHeaderSize + dbf::kDescriptorSize * fields.size() + 2;
  std::size_t record_length = 1;
  for (const auto& f : fields) record_length += f.m_nLength;
  if (header_length > kMaxHeaderLength || record_length > 0xFFFF) return std::nullopt;

  std::string out(header_length, '\0');
  out[0] = static_cast<char>(dbf::kVersion);
  out[dbf::kDateOffset] = static_cast<char>((date.year - 1900) & 0xFF);
  out[dbf::kDateOffset + 1] = static_cast<char>(date.month);
  out[dbf::kDateOffset + 2] = static_cast<char>(date.day);
  PutLe32(out.data() + dbf::kRecordCountOffset, 0);
  PutLe16(out.data() + dbf::kHeaderLengthOffset, static_cast<std::uint16_t>(header_length));
  PutLe16(out.data() + dbf::kRecordLengthOffset, static_cast<std::uint16_t>(record_length));
  std::size_t off = dbf::kHeaderSize;
  for (const auto& f : fields) {
    const std::string_view name = f.Name();
    std::copy(name.begin(), name.end(), out.begin() + static_cast<std::ptrdiff_t>(off));
    // Whatever the node says, this writer makes character fields without decimals.
    out[off + dbf::kTypeOffset] = dbf::kCharacterType;
    out[off + dbf::kLengthOffset] = static_cast<char>(f.m_nLength);
    off += dbf::kDescriptorSize;
  }
  out[off] = dbf::kHeaderTerminator;
  return out;
}

int CDBaseFile::Create(const std::filesystem::path& path, std::span<const CFieldNode> fields) {
  return Create(path, fields, LocalDate());
}

int CDBaseFile::Create(const std::filesystem::path& path, std::span<const CFieldNode> fields,
                       const DbfDate& date) {
  return CreateFile(path, fields, date) ? kDbfCreated : kDbfCreateFailed;
}

Status CDBaseFile::CreateFile(const std::filesystem::path& path, std::span<const CFieldNode> fields,
                              const DbfDate& date) {
  const auto image = CreateImage(fields, date);
  if (!image) {
    return Status::Error(Status::Kind::kInvalidArgument, path,
                         "the fields do not fit a header (at most 2046 fields, records of at most "
                         "65535 bytes)");
  }
  // Replaced in one step, so that a failed write leaves the old table (or none), never a part.
  return platform::WriteFileAtomically(path, *image);
}

}  // namespace kz::projfiles
