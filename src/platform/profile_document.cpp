#include "platform/profile_document.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>

namespace kz::platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrlf = "\r\n";
// Sections with more data lines than this get a hash index of their keys; smaller ones are
// scanned, which is faster than hashing for the six-key sections the configuration is made of.
constexpr std::size_t kIndexThreshold = 8;
constexpr std::uint32_t kNone = UINT32_MAX;

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

unsigned char Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

// Not noexcept on purpose: libstdc++ then stores each node's hash, instead of hashing the names
// again while it walks a bucket.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a over folded bytes
    for (char c : s) {
      h ^= Fold(c);
      h *= 1099511628211ull;
    }
    return static_cast<std::size_t>(h);
  }
};

struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualNoCase(a, b);
  }
};

template <typename V>
using NoCaseMap = std::unordered_map<std::string_view, V, NoCaseHash, NoCaseEqual>;

// Open-addressing index from a case-folded name to a position (a group, or a line of a group).
// It stores only the name's hash and the position; names are read back through `name_of`, so
// the index holds no strings and a copy of a document can copy it as it is. Linear probing, at
// most half full, deletion by backward shift.
class NameIndex {
 public:
  bool Active() const { return !slots_.empty(); }
  void Clear() {
    slots_ = {};
    used_ = 0;
  }
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
      if (slots_[i].hash == h && EqualNoCase(name_of(slots_[i].value - 1), name)) {
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
      if (slots_[i].hash == h && EqualNoCase(name_of(slots_[i].value - 1), name)) {
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
           !(slots_[i].hash == h && EqualNoCase(name_of(slots_[i].value - 1), name))) {
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

// One line of the file without its terminator. `text` points into the document's original
// buffer or into one of its owned strings; both outlive the line.
struct Line {
  std::string_view text;
  std::string_view name;        // Header: the section name; Entry: the key
  std::string_view value;       // Entry: trimmed and unquoted
  std::uint32_t owned = kNone;  // which owned string holds `text`; kNone: the original buffer
  Kind kind = Kind::Blank;
  Eol eol = Eol::None;
  bool written_as_key = false;  // a ";name=value" write: a comment, but placed like a key
};

Line ParseLine(std::string_view text, Eol eol) {
  Line line{text, {}, {}, kNone, Kind::Blank, eol, false};
  const std::string_view t = TrimFile(text);
  if (t.empty()) return line;
  if (t.front() == ';') {
    line.kind = Kind::Comment;
  } else if (t.front() == '[') {
    line.kind = Kind::Header;
    const std::string_view rest = t.substr(1);
    line.name = TrimFile(rest.substr(0, rest.find(']')));
  } else if (const auto eq = t.find('='); eq != std::string_view::npos) {
    line.kind = Kind::Entry;
    line.name = TrimFile(t.substr(0, eq));
    std::string_view v = TrimFile(t.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
      v = v.substr(1, v.size() - 2);
    }
    line.value = v;
  } else {
    line.kind = Kind::Other;
  }
  return line;
}

bool IsData(const Line& l) {
  return l.kind == Kind::Entry || l.kind == Kind::Other;
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

// The file as groups of lines: the text before the first header, then one group per header.
// A deleted section leaves a group without header that keeps its comment and blank lines, so no
// edit has to move the lines of other sections.
struct ProfileDocument::Impl {
  struct Group {
    bool has_header = false;
    Line header;
    std::vector<Line> body;
    std::uint32_t next_same = kNone;  // next group with the same section name (first wins)
    std::uint32_t last_same = kNone;  // the first group of a name: the last group of that name
    NameIndex keys;                   // first entry line per key; big sections only
  };

  bool bom = false;
  std::shared_ptr<const std::string> original;  // shared by copies: unedited lines point into it
  std::deque<std::string> owned;  // texts of edited lines; a deque never moves its elements
  std::vector<Group> groups;
  NameIndex sections;  // first group per section name

  std::string_view SectionName(std::uint32_t index) const { return groups[index].header.name; }
  auto SectionNameOf() const {
    return [this](std::uint32_t index) { return SectionName(index); };
  }
  static auto KeyNameOf(const Group& g) {
    return [&g](std::uint32_t index) { return g.body[index].name; };
  }

  void Parse(std::string_view bytes) {
    std::string_view rest = bytes;
    if (rest.substr(0, kBom.size()) == kBom) {
      bom = true;
      rest.remove_prefix(kBom.size());
    }
    // All lines first, so that each section's lines are allocated once at their final size.
    std::vector<Line> all;
    all.reserve(rest.size() / 24 + 8);
    std::size_t headers = 0;
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
      all.push_back(ParseLine(text, eol));
      headers += all.back().kind == Kind::Header;
    }
    groups.reserve(headers + 1);
    sections.Reserve(headers);
    std::size_t i = 0;
    const auto take_body = [&](Group& g) {
      std::size_t j = i;
      while (j < all.size() && all[j].kind != Kind::Header) ++j;
      g.body.assign(all.begin() + static_cast<std::ptrdiff_t>(i),
                    all.begin() + static_cast<std::ptrdiff_t>(j));
      i = j;
    };
    take_body(groups.emplace_back());  // text before the first header
    while (i < all.size()) {
      const auto index = static_cast<std::uint32_t>(groups.size());
      Group& g = groups.emplace_back();
      g.has_header = true;
      g.header = all[i++];
      EnterSection(index);
      take_body(g);
      IndexKeys(g);
    }
  }

  // A copy shares the original buffer; lines in owned strings are moved onto the copy's own.
  std::unique_ptr<Impl> Clone() const {
    auto c = std::make_unique<Impl>();
    c->bom = bom;
    c->original = original;
    c->owned = owned;
    const auto rebase = [&](Line& l) {
      if (l.owned == kNone) return;
      const char* from = owned[l.owned].data();
      const char* to = c->owned[l.owned].data();
      const auto move = [&](std::string_view& v) {
        if (!v.empty()) v = std::string_view(to + (v.data() - from), v.size());
      };
      move(l.name);
      move(l.value);
      l.text = c->owned[l.owned];
    };
    c->groups.reserve(groups.size());
    for (const Group& g : groups) {
      Group& n = c->groups.emplace_back();
      n.has_header = g.has_header;
      n.header = g.header;
      rebase(n.header);
      n.body = g.body;
      for (Line& l : n.body) rebase(l);
      n.next_same = g.next_same;
      n.last_same = g.last_same;
      n.keys = g.keys;  // positions are the same in the copy
    }
    c->sections = sections;
    return c;
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

  void IndexKeys(Group& g) {
    g.keys.Clear();
    if (!g.has_header || g.body.size() <= kIndexThreshold) return;
    g.keys.Reserve(g.body.size());
    for (std::uint32_t i = 0; i < g.body.size(); ++i) {
      if (g.body[i].kind == Kind::Entry) g.keys.Insert(g.body[i].name, i, KeyNameOf(g));
    }
  }

  Group* FindGroup(std::string_view section) {
    const std::uint32_t index = sections.Find(TrimSpaces(section), SectionNameOf());
    return index == kNone ? nullptr : &groups[index];
  }
  const Group* FindGroup(std::string_view section) const {
    return const_cast<Impl*>(this)->FindGroup(section);
  }

  // Index of the first entry line of `key` in g's body, or kNone.
  static std::uint32_t FindEntry(const Group& g, std::string_view key) {
    key = TrimSpaces(key);
    if (g.keys.Active()) return g.keys.Find(key, KeyNameOf(g));
    for (std::uint32_t i = 0; i < g.body.size(); ++i) {
      if (g.body[i].kind == Kind::Entry && EqualNoCase(g.body[i].name, key)) return i;
    }
    return kNone;
  }

  Line OwnedLine(std::string text) {
    Line line = ParseLine(owned.emplace_back(std::move(text)), Eol::CrLf);
    line.owned = static_cast<std::uint32_t>(owned.size() - 1);
    return line;
  }

  // The last line of the file, to give it a terminator before anything is added after it.
  Line* LastLine() {
    for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
      if (!g->body.empty()) return &g->body.back();
      if (g->has_header) return &g->header;
    }
    return nullptr;
  }

  void AppendSection(std::string_view section, std::string_view key, std::string_view value) {
    if (Line* last = LastLine(); last && last->eol == Eol::None) last->eol = Eol::CrLf;
    const auto index = static_cast<std::uint32_t>(groups.size());
    Group& g = groups.emplace_back();
    g.has_header = true;
    g.header = OwnedLine("[" + std::string(section) + "]");
    g.body.push_back(OwnedLine(std::string(key) + "=" + std::string(value)));
    // The header may read as an existing name ("\tA" is written when "A" exists, since asked
    // names lose spaces only): then it becomes that name's last duplicate.
    EnterSection(index);
  }

  void AddKey(Group& g, std::string_view key, std::string_view value) {
    std::size_t pos = g.body.size();
    while (pos > 0 && !IsData(g.body[pos - 1]) && !g.body[pos - 1].written_as_key) --pos;
    Line& before = pos > 0 ? g.body[pos - 1] : g.header;
    if (before.eol == Eol::None) before.eol = Eol::CrLf;
    Line line = OwnedLine(std::string(key) + "=" + std::string(value));
    line.written_as_key = true;
    // The new line follows the last data line, so no entry's index moves.
    g.body.insert(g.body.begin() + static_cast<std::ptrdiff_t>(pos), line);
    if (g.keys.Active() && line.kind == Kind::Entry) {
      g.keys.Insert(line.name, static_cast<std::uint32_t>(pos), KeyNameOf(g));
    } else if (!g.keys.Active() && g.body.size() > kIndexThreshold) {
      IndexKeys(g);
    }
  }

  void ReplaceValue(Line& line, std::string_view value) {
    const std::string_view t = line.text;
    std::size_t keep = t.find('=') + 1;
    while (keep < t.size() && IsFileBlank(t[keep])) ++keep;
    std::string text(t.substr(0, keep));
    text += value;
    const bool written_as_key = line.written_as_key;
    line = OwnedLine(std::move(text));
    line.written_as_key = written_as_key;
  }
};

ProfileDocument::ProfileDocument() : impl_(std::make_unique<Impl>()) {
  impl_->groups.emplace_back();
}

ProfileDocument::ProfileDocument(std::string_view bytes) : impl_(std::make_unique<Impl>()) {
  impl_->original = std::make_shared<const std::string>(bytes);
  impl_->Parse(*impl_->original);
}

ProfileDocument::~ProfileDocument() = default;

ProfileDocument::ProfileDocument(const ProfileDocument& other)
    : impl_(other.impl_ ? other.impl_->Clone() : nullptr) {}

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

std::optional<std::string_view> ProfileDocument::Find(std::string_view section,
                                                      std::string_view key) const {
  if (!impl_) return std::nullopt;
  const Impl::Group* g = impl_->FindGroup(section);
  if (!g) return std::nullopt;
  const std::uint32_t i = Impl::FindEntry(*g, key);
  if (i == kNone) return std::nullopt;
  return g->body[i].value;
}

std::string ProfileDocument::GetString(std::string_view section, std::string_view key,
                                       std::string_view def, std::size_t size) const {
  if (size == 0) return {};
  std::string_view result;
  if (const auto value = Find(section, key)) {
    result = *value;
  } else {
    result = def;
    while (!result.empty() && result.back() == ' ') result.remove_suffix(1);
  }
  return std::string(result.substr(0, size - 1));
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Impl::Group* g = impl_ ? impl_->FindGroup(section) : nullptr;
  if (!g) return names;
  NoCaseMap<bool> seen;
  for (const Line& l : g->body) {
    if (l.kind == Kind::Entry && seen.try_emplace(l.name, true).second) names.emplace_back(l.name);
  }
  return names;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
  std::vector<std::string> names;
  if (!impl_) return names;
  for (std::uint32_t i = 0; i < impl_->groups.size(); ++i) {
    const auto& g = impl_->groups[i];
    if (!g.has_header) continue;
    if (impl_->sections.Find(g.header.name, impl_->SectionNameOf()) == i) {
      names.emplace_back(g.header.name);
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
  Impl::Group* g = impl_->FindGroup(section);
  if (!g) {
    impl_->AppendSection(section, key, value);
    return true;
  }
  if (const std::uint32_t i = Impl::FindEntry(*g, key); i != kNone) {
    // The key index keeps its view of the old text: owned texts live as long as the document.
    impl_->ReplaceValue(g->body[i], value);
  } else {
    impl_->AddKey(*g, key, value);
  }
  return true;
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
  Impl::Group* g = impl_ ? impl_->FindGroup(section) : nullptr;
  if (!g) return false;
  const std::uint32_t i = Impl::FindEntry(*g, key);
  if (i == kNone) return false;
  g->body.erase(g->body.begin() + i);
  if (g->keys.Active())
    impl_->IndexKeys(*g);  // later lines moved, and a duplicate may now be first
  return true;
}

bool ProfileDocument::DeleteSection(std::string_view section) {
  if (!impl_) return false;
  const auto name_of = impl_->SectionNameOf();
  const std::uint32_t index = impl_->sections.Find(TrimSpaces(section), name_of);
  if (index == kNone) return false;
  Impl::Group& g = impl_->groups[index];
  impl_->sections.Erase(g.header.name, name_of);
  if (g.next_same != kNone) {
    Impl::Group& next = impl_->groups[g.next_same];
    next.last_same = g.last_same;
    impl_->sections.Insert(next.header.name, g.next_same, name_of);
  }
  g.has_header = false;
  g.keys.Clear();
  std::erase_if(g.body, [](const Line& l) { return IsData(l); });
  return true;
}

std::string ProfileDocument::Serialize() const {
  std::string out;
  if (!impl_) return out;
  std::size_t size = impl_->bom ? kBom.size() : 0;
  for (const auto& g : impl_->groups) {
    if (g.has_header) size += g.header.text.size() + 2;
    for (const Line& l : g.body) size += l.text.size() + 2;
  }
  out.reserve(size);
  if (impl_->bom) out += kBom;
  const auto put = [&out](const Line& l) {
    out += l.text;
    out += EolText(l.eol);
  };
  for (const auto& g : impl_->groups) {
    if (g.has_header) put(g.header);
    for (const Line& l : g.body) put(l);
  }
  return out;
}

bool ProfileDocument::Empty() const {
  if (!impl_ || impl_->bom) return !impl_;
  for (const auto& g : impl_->groups) {
    if (g.has_header || !g.body.empty()) return false;
  }
  return true;
}

}  // namespace kz::platform
