#include "platform/profile_document.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <span>
#include <unordered_map>
#include <utility>

#include "platform/ascii_case.h"

namespace kz::platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrlf = "\r\n";
// Sections with more data lines than this get a hash index of their keys; smaller ones are
// scanned, which is faster than hashing for the six-key sections the configuration is made of.
constexpr std::size_t kIndexThreshold = 8;
constexpr std::uint32_t kNone = UINT32_MAX;
// Parsed lines per block (24 bytes each): big enough that a block rarely splits a section.
constexpr std::size_t kBlockLines = 4096;

bool IsFileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v';
}

std::string_view TrimFile(std::string_view s) {
  while (!s.empty() && IsFileBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsFileBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

template <typename V>
using NoCaseViewMap = std::unordered_map<std::string_view, V, NoCaseHash, NoCaseEqual>;

// Open-addressing index from a case-folded name to a position (a group, or a line of a group).
// It stores only the name's hash and the position; names are read back through `name_of`, so
// the index holds no strings and a copy of a document can copy it as it is. Linear probing, at
// most half full, deletion by backward shift.
class NameIndex {
 public:
  void Reserve(std::size_t n) {
    std::size_t size = 16;
    while (size < 2 * n) size *= 2;
    if (size > slots_.size()) Rehash(size);
  }

  template <typename NameOf>
  std::uint32_t Find(std::string_view name, const NameOf& name_of) const {
    if (slots_.empty()) return kNone;
    const std::uint32_t h = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask; slots_[i].value; i = (i + 1) & mask) {
      if (slots_[i].hash == h && EqualsNoCase(name_of(slots_[i].value - 1), name)) {
        return slots_[i].value - 1;
      }
    }
    return kNone;
  }

  // Enters `index` under `name` unless the name is there; gives the position the name has.
  template <typename NameOf>
  std::uint32_t Insert(std::string_view name, std::uint32_t index, const NameOf& name_of) {
    if (2 * (used_ + 1) > slots_.size()) Rehash(std::max<std::size_t>(16, 2 * slots_.size()));
    const std::uint32_t h = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = h & mask;
    for (; slots_[i].value; i = (i + 1) & mask) {
      if (slots_[i].hash == h && EqualsNoCase(name_of(slots_[i].value - 1), name)) {
        return slots_[i].value - 1;
      }
    }
    slots_[i] = {h, index + 1};
    ++used_;
    return index;
  }

  template <typename NameOf>
  void Erase(std::string_view name, const NameOf& name_of) {
    if (slots_.empty()) return;
    const std::uint32_t h = Hash(name);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = h & mask;
    while (slots_[i].value &&
           !(slots_[i].hash == h && EqualsNoCase(name_of(slots_[i].value - 1), name))) {
      i = (i + 1) & mask;
    }
    if (!slots_[i].value) return;
    slots_[i] = {};
    --used_;
    // Moves back every later entry of the run that could not be found past the hole.
    for (std::size_t j = (i + 1) & mask; slots_[j].value; j = (j + 1) & mask) {
      const std::size_t home = slots_[j].hash & mask;
      const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
      if (stays) continue;
      slots_[i] = slots_[j];
      slots_[j] = {};
      i = j;
    }
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t value = 0;  // position + 1; 0 marks a free slot
  };

  static std::uint32_t Hash(std::string_view name) {
    const std::size_t h = NoCaseHash{}(name);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
  }

  void Rehash(std::size_t size) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(size));
    const std::size_t mask = size - 1;
    for (const Slot& s : old) {
      if (!s.value) continue;
      std::size_t i = s.hash & mask;
      while (slots_[i].value) i = (i + 1) & mask;
      slots_[i] = s;
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

enum class Kind : std::uint8_t { Blank, Comment, Header, Entry, Other };
enum class Eol : std::uint8_t { None, Cr, Lf, CrLf };

std::string_view EolText(Eol e) {
  switch (e) {
    case Eol::Cr:
      return "\r";
    case Eol::Lf:
      return "\n";
    case Eol::CrLf:
      return kCrlf;
    case Eol::None:
      break;
  }
  return {};
}

// One line of the file without its terminator, kept small because large files hold hundreds of
// thousands. `text` points into the document's original buffer or into one of its text chunks;
// both are immutable and outlive the line. The value is found again on demand.
struct Line {
  const char* text = nullptr;
  std::uint32_t size = 0;
  std::uint32_t name_pos = 0;  // Header: the section name; Entry: the key
  std::uint32_t name_size = 0;
  Kind kind = Kind::Blank;
  Eol eol = Eol::None;
  bool written_as_key = false;  // a ";name=value" write: a comment, but placed like a key

  std::string_view Text() const { return {text, size}; }
  std::string_view Name() const { return {text + name_pos, name_size}; }
  // Entry: trimmed, quotes kept: the text that reads back as Value() when written again.
  std::string_view StoredValue() const {
    const std::string_view t = Text();
    return TrimFile(t.substr(t.find('=', name_pos) + 1));
  }
  // Entry: trimmed and unquoted.
  std::string_view Value() const {
    std::string_view v = StoredValue();
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
      v = v.substr(1, v.size() - 2);
    }
    return v;
  }
};

Line ParseLine(std::string_view text, Eol eol) {
  Line line;
  line.text = text.data();
  line.size = static_cast<std::uint32_t>(text.size());
  line.eol = eol;
  const std::string_view t = TrimFile(text);
  if (t.empty()) return line;
  std::string_view name;
  if (t.front() == ';') {
    line.kind = Kind::Comment;
  } else if (t.front() == '[') {
    line.kind = Kind::Header;
    const std::string_view rest = t.substr(1);
    name = TrimFile(rest.substr(0, rest.find(']')));
  } else if (const auto eq = t.find('='); eq != std::string_view::npos) {
    line.kind = Kind::Entry;
    name = TrimFile(t.substr(0, eq));
  } else {
    line.kind = Kind::Other;
  }
  if (!name.empty()) {
    line.name_pos = static_cast<std::uint32_t>(name.data() - text.data());
    line.name_size = static_cast<std::uint32_t>(name.size());
  } else if (line.kind == Kind::Entry) {
    // An empty key still has to lead Value to the '='.
    line.name_pos = static_cast<std::uint32_t>(t.data() - text.data());
  }
  return line;
}

bool IsData(const Line& l) {
  return l.kind == Kind::Entry || l.kind == Kind::Other;
}

// A plain loop: find_first_of calls memchr on the set once per byte.
bool HasLineBreak(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; });
}

// Texts of written lines, packed into shared chunks instead of one heap string per line. Written
// bytes never change, so a copy of the document shares the chunks; it only never appends to them.
class TextStore {
 public:
  TextStore() = default;
  TextStore(const TextStore& other) : chunks_(other.chunks_) {}
  TextStore& operator=(const TextStore& other) {
    chunks_ = other.chunks_;
    free_ = nullptr;
    left_ = 0;
    return *this;
  }

  std::string_view Join(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view p : parts) size += p.size();
    if (size > left_) {
      const std::size_t chunk = std::max(kChunk, size);
      chunks_.push_back(std::shared_ptr<char[]>(new char[chunk]));
      free_ = chunks_.back().get();
      left_ = chunk;
    }
    char* start = free_;
    for (std::string_view p : parts) {
      std::copy(p.begin(), p.end(), free_);
      free_ += p.size();
    }
    left_ -= size;
    return {start, size};
  }

 private:
  static constexpr std::size_t kChunk = 64 * 1024;
  std::vector<std::shared_ptr<char[]>> chunks_;
  char* free_ = nullptr;
  std::size_t left_ = 0;
};

}  // namespace

// The file as groups of lines: the text before the first header, then one group per header.
// A deleted section leaves a group without header that keeps its comment and blank lines, so no
// edit has to move the lines of other sections.
//
// All lines of the parsed file sit in shared blocks; a group's body is a run of them until the
// first edit of that group gives it a vector of its own. A copy of a document therefore copies
// only the groups, and a load allocates per few thousand lines, not per section.
struct ProfileDocument::Impl {
  // A big section's first entry line per key. It is built by the first keyed look-up, so a load
  // that only walks a long list never pays for it; readers sharing a document may race to that,
  // hence the once_flag.
  struct KeyIndex {
    std::once_flag built;
    NameIndex index;
  };

  struct Group {
    bool has_header = false;
    bool owns_body = false;
    std::uint32_t next_same = kNone;  // next group with the same section name (first wins)
    std::uint32_t last_same = kNone;  // the first group of a name: the last group of that name
    Line header;
    const Line* base = nullptr;  // the body while unedited: base_size parsed lines
    std::uint32_t base_size = 0;
    std::vector<Line> own;           // the body once edited
    std::unique_ptr<KeyIndex> keys;  // big sections only

    Group() = default;
    Group(Group&&) noexcept = default;
    Group& operator=(Group&&) noexcept = default;
    Group(const Group& g)
        : has_header(g.has_header),
          owns_body(g.owns_body),
          next_same(g.next_same),
          last_same(g.last_same),
          header(g.header),
          base(g.base),
          base_size(g.base_size),
          own(g.own),
          keys(g.keys ? std::make_unique<KeyIndex>() : nullptr) {}  // built again on demand

    std::span<const Line> Body() const {
      if (owns_body) return own;
      return {base, base_size};
    }
    std::vector<Line>& EditBody() {
      if (!owns_body) {
        own.assign(base, base + base_size);
        owns_body = true;
        base = nullptr;
        base_size = 0;
      }
      return own;
    }
  };

  bool bom = false;
  std::shared_ptr<const std::string> original;  // shared by copies
  // The lines bodies start out as, in blocks; shared by copies.
  std::shared_ptr<const std::vector<std::unique_ptr<Line[]>>> parsed;
  TextStore texts;
  std::vector<Group> groups;
  NameIndex sections;                 // first group per section name
  std::uint32_t last_edited = kNone;  // the group FindGroupToEdit found last

  std::string_view SectionName(std::uint32_t index) const { return groups[index].header.Name(); }
  auto SectionNameOf() const {
    return [this](std::uint32_t index) { return SectionName(index); };
  }
  static auto KeyNameOf(const Group& g) {
    return [&g](std::uint32_t index) { return g.Body()[index].Name(); };
  }

  void Parse(std::string_view bytes) {
    std::string_view rest = bytes;
    if (rest.substr(0, kBom.size()) == kBom) {
      bom = true;
      rest.remove_prefix(kBom.size());
    }
    // Lines go into blocks that never move, so that groups point into them as they are parsed
    // and the bytes are walked once: counting lines first would read a big file from memory
    // twice. A full block hands the lines of the group being parsed on to the next block, so
    // every body stays one run.
    auto blocks = std::make_shared<std::vector<std::unique_ptr<Line[]>>>();
    Line* block = nullptr;
    std::size_t used = 0;
    std::size_t capacity = 0;
    std::size_t block_lines = std::min<std::size_t>(kBlockLines, rest.size() / 16 + 16);
    // Rough: a section every 128 bytes; more only costs growth.
    groups.reserve(rest.size() / 128 + 2);
    sections.Reserve(groups.capacity());
    Group* open = &groups.emplace_back();  // the text before the first header
    std::size_t open_from = 0;             // the open group's first line in `block`
    const auto push = [&](const Line& line) {
      if (used == capacity) {
        const std::size_t carried = used - open_from;
        capacity = std::max(block_lines, 2 * carried);
        block_lines = kBlockLines;
        auto next = std::unique_ptr<Line[]>(new Line[capacity]);
        std::copy(block + open_from, block + used, next.get());
        block = next.get();
        blocks->push_back(std::move(next));
        used = carried;
        open_from = 0;
      }
      block[used++] = line;
    };
    const auto close = [&] {
      open->base = block ? block + open_from : nullptr;
      open->base_size = static_cast<std::uint32_t>(used - open_from);
      IndexKeys(*open);
    };
    while (!rest.empty()) {
      std::size_t end = 0;  // a plain loop: find_first_of tests every byte against the set
      while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
      if (end == rest.size()) end = std::string_view::npos;
      std::string_view text = rest.substr(0, end);
      Eol eol = Eol::None;
      if (end == std::string_view::npos) {
        rest = {};
      } else if (rest[end] == '\n') {
        eol = Eol::Lf;
        rest.remove_prefix(end + 1);
      } else if (end + 1 < rest.size() && rest[end + 1] == '\n') {
        eol = Eol::CrLf;
        rest.remove_prefix(end + 2);
      } else {
        eol = Eol::Cr;
        rest.remove_prefix(end + 1);
      }
      const Line line = ParseLine(text, eol);
      if (line.kind != Kind::Header) {
        push(line);
        continue;
      }
      close();
      const auto index = static_cast<std::uint32_t>(groups.size());
      open = &groups.emplace_back();
      open->has_header = true;
      open->header = line;
      open_from = used;
      EnterSection(index);
    }
    close();
    parsed = std::move(blocks);
  }

  // Makes the group at `index` findable by its header's name, or the last of that name's
  // duplicates (first wins).
  void EnterSection(std::uint32_t index) {
    groups[index].last_same = index;
    if (const auto first_index = sections.Insert(SectionName(index), index, SectionNameOf());
        first_index != index) {
      Group& first = groups[first_index];
      groups[first.last_same].next_same = index;
      first.last_same = index;
    }
  }

  // Gives a big section an index to build (again) at its next keyed look-up.
  static void IndexKeys(Group& g) {
    g.keys.reset();
    if (g.has_header && g.Body().size() > kIndexThreshold) g.keys = std::make_unique<KeyIndex>();
  }

  // The key index of a group that has one, built on first use.
  static NameIndex& Keys(const Group& g) {
    std::call_once(g.keys->built, [&g] {
      const std::span<const Line> body = g.Body();
      NameIndex& index = g.keys->index;
      index.Reserve(body.size());
      for (std::uint32_t i = 0; i < body.size(); ++i) {
        if (body[i].kind == Kind::Entry) index.Insert(body[i].Name(), i, KeyNameOf(g));
      }
    });
    return g.keys->index;
  }

  const Group* FindGroup(std::string_view section) const {
    const std::uint32_t index = sections.Find(TrimSpaces(section), SectionNameOf());
    return index == kNone ? nullptr : &groups[index];
  }

  // FindGroup for an edit. Writers put a record's keys one after another into one section, so
  // the last section found is tried first instead of hashing its name again. It stays the first
  // of its name until DeleteSection, which forgets it. Readers of a shared document never come
  // here, so the remembered index needs no lock.
  Group* FindGroupToEdit(std::string_view section) {
    section = TrimSpaces(section);
    if (last_edited != kNone && EqualsNoCase(SectionName(last_edited), section)) {
      return &groups[last_edited];
    }
    const std::uint32_t index = sections.Find(section, SectionNameOf());
    if (index == kNone) return nullptr;
    last_edited = index;
    return &groups[index];
  }

  // Index of the first entry line of `key` in g's body, or kNone.
  static std::uint32_t FindEntry(const Group& g, std::string_view key) {
    key = TrimSpaces(key);
    if (g.keys) return Keys(g).Find(key, KeyNameOf(g));
    const std::span<const Line> body = g.Body();
    for (std::uint32_t i = 0; i < body.size(); ++i) {
      if (body[i].kind == Kind::Entry && EqualsNoCase(body[i].Name(), key)) return i;
    }
    return kNone;
  }

  Line OwnedLine(std::initializer_list<std::string_view> parts) {
    return ParseLine(texts.Join(parts), Eol::CrLf);
  }

  // The last line of the file, to give it a terminator before anything is added after it.
  Line* LastLine() {
    for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
      if (!g->Body().empty()) return &g->EditBody().back();
      if (g->has_header) return &g->header;
    }
    return nullptr;
  }

  void AppendSection(std::string_view section, std::string_view key, std::string_view value) {
    if (LastEol() == Eol::None) LastLine()->eol = Eol::CrLf;
    const auto index = static_cast<std::uint32_t>(groups.size());
    Group& g = groups.emplace_back();
    g.has_header = true;
    g.owns_body = true;
    g.header = OwnedLine({"[", section, "]"});
    // Room for a typical record, so that the keys written next do not reallocate one by one.
    g.own.reserve(8);
    g.own.push_back(OwnedLine({key, "=", value}));
    // The header may read as an existing name ("\tA" is written when "A" exists, since asked
    // names lose spaces only): then it becomes that name's last duplicate.
    EnterSection(index);
  }

  // The terminator of the last line, read without giving its group a body of its own.
  Eol LastEol() const {
    for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
      if (!g->Body().empty()) return g->Body().back().eol;
      if (g->has_header) return g->header.eol;
    }
    return Eol::CrLf;
  }

  bool Empty() const {
    for (const auto& g : groups) {
      if (g.has_header || !g.Body().empty()) return false;
    }
    return true;
  }

  void AddKey(Group& g, std::string_view key, std::string_view value) {
    std::vector<Line>& body = g.EditBody();
    std::size_t pos = body.size();
    while (pos > 0 && !IsData(body[pos - 1]) && !body[pos - 1].written_as_key) --pos;
    Line& before = pos > 0 ? body[pos - 1] : g.header;
    if (before.eol == Eol::None) before.eol = Eol::CrLf;
    Line line = OwnedLine({key, "=", value});
    line.written_as_key = true;
    // The new line follows the last data line, so no entry's index moves.
    body.insert(body.begin() + static_cast<std::ptrdiff_t>(pos), line);
    if (g.keys && line.kind == Kind::Entry) {
      Keys(g).Insert(line.Name(), static_cast<std::uint32_t>(pos), KeyNameOf(g));
    } else if (!g.keys && body.size() > kIndexThreshold) {
      IndexKeys(g);
    }
  }

  void ReplaceValue(Line& line, std::string_view value) {
    const std::string_view t = line.Text();
    std::size_t keep = t.find('=') + 1;
    while (keep < t.size() && IsFileBlank(t[keep])) ++keep;
    const bool written_as_key = line.written_as_key;
    line = OwnedLine({t.substr(0, keep), value});
    line.written_as_key = written_as_key;
  }

  // Drops the group's data lines; its comment and blank lines stay.
  static void DropData(Group& g) {
    if (!g.owns_body) {
      // Usually the lines that stay are one run (the blank lines closing the section): the body
      // can then stay a view.
      const Line* first = g.base;
      const Line* end = g.base + g.base_size;
      while (first != end && IsData(*first)) ++first;
      const Line* last = first;
      while (last != end && !IsData(*last)) ++last;
      if (std::none_of(last, end, [](const Line& l) { return !IsData(l); })) {
        g.base = first;
        g.base_size = static_cast<std::uint32_t>(last - first);
        return;
      }
    }
    std::erase_if(g.EditBody(), [](const Line& l) { return IsData(l); });
  }
};

ProfileDocument::ProfileDocument() : impl_(std::make_unique<Impl>()) {
  impl_->groups.emplace_back();
}

ProfileDocument::ProfileDocument(std::string_view bytes) : impl_(std::make_unique<Impl>()) {
  impl_->original = std::make_shared<const std::string>(bytes);
  impl_->Parse(*impl_->original);
}

ProfileDocument ProfileDocument::Adopt(std::string bytes) {
  ProfileDocument doc;
  doc.impl_->groups.clear();
  doc.impl_->original = std::make_shared<const std::string>(std::move(bytes));
  doc.impl_->Parse(*doc.impl_->original);
  return doc;
}

ProfileDocument::~ProfileDocument() = default;

// Lines point into the shared buffer, the shared parsed lines and the shared text chunks, so
// the copied groups need no rebasing.
ProfileDocument::ProfileDocument(const ProfileDocument& other)
    : impl_(other.impl_ ? std::make_unique<Impl>(*other.impl_) : nullptr) {}

ProfileDocument& ProfileDocument::operator=(const ProfileDocument& other) {
  if (this != &other) *this = ProfileDocument(other);
  return *this;
}

ProfileDocument::ProfileDocument(ProfileDocument&& other) noexcept
    : impl_(std::exchange(other.impl_, nullptr)) {}

ProfileDocument& ProfileDocument::operator=(ProfileDocument&& other) noexcept {
  std::swap(impl_, other.impl_);
  return *this;
}

ProfileDocument::Section ProfileDocument::FindSection(std::string_view section) const {
  return Section(impl_ ? impl_->FindGroup(section) : nullptr);
}

std::optional<std::string_view> ProfileDocument::Section::Find(std::string_view key) const {
  if (!group_) return std::nullopt;
  const auto& g = *static_cast<const Impl::Group*>(group_);
  const std::uint32_t i = Impl::FindEntry(g, key);
  if (i == kNone) return std::nullopt;
  return g.Body()[i].Value();
}

std::string ProfileDocument::Section::GetString(std::string_view key, std::string_view def,
                                                std::size_t size) const {
  if (size == 0) return {};
  std::string_view result;
  if (const auto value = Find(key)) {
    result = *value;
  } else {
    result = def;
    while (!result.empty() && result.back() == ' ') result.remove_suffix(1);
  }
  return std::string(result.substr(0, size - 1));
}

std::optional<std::string_view> ProfileDocument::Find(std::string_view section,
                                                      std::string_view key) const {
  return FindSection(section).Find(key);
}

std::string ProfileDocument::GetString(std::string_view section, std::string_view key,
                                       std::string_view def, std::size_t size) const {
  return FindSection(section).GetString(key, def, size);
}

std::vector<std::string_view> ProfileDocument::NumberedValues(std::string_view section,
                                                              ValueForm form) const {
  std::vector<std::string_view> values;
  const Impl::Group* g = impl_ ? impl_->FindGroup(section) : nullptr;
  if (!g) return values;
  const std::span<const Line> body = g->Body();
  // An unbroken list from 0 has fewer numbers than the section has lines, so larger numbers
  // cannot be part of it. Keys are matched as written by std::to_string: digits without a
  // leading zero.
  std::vector<const Line*> first(body.size(), nullptr);
  for (const Line& l : body) {
    if (l.kind != Kind::Entry) continue;
    const std::string_view name = l.Name();
    if (name.empty() || name.size() > 10 || (name.size() > 1 && name.front() == '0')) continue;
    std::uint64_t n = 0;
    bool digits = true;
    for (char c : name) {
      if (c < '0' || c > '9') {
        digits = false;
        break;
      }
      n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (digits && n < first.size() && !first[n]) first[n] = &l;
  }
  for (const Line* l : first) {
    if (!l) break;
    values.push_back(form == ValueForm::Stored ? l->StoredValue() : l->Value());
  }
  return values;
}

std::string_view ProfileDocument::Source() const {
  if (!impl_ || !impl_->original) return {};
  return *impl_->original;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Impl::Group* g = impl_ ? impl_->FindGroup(section) : nullptr;
  if (!g) return names;
  NoCaseViewMap<bool> seen;
  for (const Line& l : g->Body()) {
    if (l.kind == Kind::Entry && seen.try_emplace(l.Name(), true).second) {
      names.emplace_back(l.Name());
    }
  }
  return names;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
  std::vector<std::string> names;
  if (!impl_) return names;
  for (std::uint32_t i = 0; i < impl_->groups.size(); ++i) {
    const auto& g = impl_->groups[i];
    if (!g.has_header) continue;
    if (impl_->sections.Find(g.header.Name(), impl_->SectionNameOf()) == i) {
      names.emplace_back(g.header.Name());
    }
  }
  return names;
}

bool ProfileDocument::HasSection(std::string_view section) const {
  return impl_ && impl_->FindGroup(section) != nullptr;
}

bool ProfileDocument::SetValue(std::string_view section, std::string_view key,
                               std::string_view value) {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  // Each refusal would otherwise write a line that reads back as something else: a value or name
  // with a line break injects lines, a key with '=' or a leading '[' turns into another key or a
  // header, a section with ']' names another section.
  if (HasLineBreak(value) || HasLineBreak(section) || HasLineBreak(key)) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (TrimFile(key).empty() || key.find('=') != std::string_view::npos) return false;
  if (TrimFile(key).front() == '[') return false;
  if (!impl_) *this = ProfileDocument();
  Impl::Group* g = impl_->FindGroupToEdit(section);
  if (!g) {
    impl_->AppendSection(section, key, value);
    return true;
  }
  if (const std::uint32_t i = Impl::FindEntry(*g, key); i != kNone) {
    // The key index keeps its view of the old text: written texts live as long as the document.
    impl_->ReplaceValue(g->EditBody()[i], value);
  } else {
    impl_->AddKey(*g, key, value);
  }
  return true;
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
  Impl::Group* g = impl_ ? impl_->FindGroupToEdit(section) : nullptr;
  if (!g) return false;
  const std::uint32_t i = Impl::FindEntry(*g, key);
  if (i == kNone) return false;
  std::vector<Line>& body = g->EditBody();
  body.erase(body.begin() + i);
  if (g->keys) Impl::IndexKeys(*g);  // later lines moved, and a duplicate may now be first
  return true;
}

bool ProfileDocument::DeleteSection(std::string_view section) {
  if (!impl_) return false;
  const auto name_of = impl_->SectionNameOf();
  const std::uint32_t index = impl_->sections.Find(TrimSpaces(section), name_of);
  if (index == kNone) return false;
  Impl::Group& g = impl_->groups[index];
  impl_->last_edited = kNone;
  impl_->sections.Erase(g.header.Name(), name_of);
  if (g.next_same != kNone) {
    Impl::Group& next = impl_->groups[g.next_same];
    next.last_same = g.last_same;
    impl_->sections.Insert(next.header.Name(), g.next_same, name_of);
  }
  g.has_header = false;
  g.keys.reset();
  Impl::DropData(g);
  return true;
}

std::string ProfileDocument::Serialize() const {
  std::string out;
  if (!impl_) return out;
  std::size_t size = impl_->bom ? kBom.size() : 0;
  for (const auto& g : impl_->groups) {
    if (g.has_header) size += g.header.size + 2;
    for (const Line& l : g.Body()) size += l.size + 2;
  }
  out.reserve(size);
  if (impl_->bom) out += kBom;
  const auto put = [&out](const Line& l) {
    out += l.Text();
    out += EolText(l.eol);
  };
  for (const auto& g : impl_->groups) {
    if (g.has_header) put(g.header);
    for (const Line& l : g.Body()) put(l);
  }
  return out;
}

bool ProfileDocument::Empty() const {
  if (!impl_ || impl_->bom) return !impl_;
  return impl_->Empty();
}

}  // namespace kz::platform
