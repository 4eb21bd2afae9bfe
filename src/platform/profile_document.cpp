#include "platform/profile_document.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace kz::platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrlf = "\r\n";
constexpr std::size_t kNone = SIZE_MAX;
constexpr std::size_t kScanLines = 8;

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

// One line of the file without its terminator, viewing the document's source or one of its
// written texts. The value is found again on demand.
struct Line {
  std::string_view text;
  std::uint32_t name_pos = 0;  // Header: the section name; Entry: the key
  std::uint32_t name_size = 0;
  Kind kind = Kind::Blank;
  Eol eol = Eol::None;
  bool written_as_key = false;  // a ";name=value" write: a comment, but placed like a key

  std::string_view Name() const { return text.substr(name_pos, name_size); }
  // Entry: trimmed, quotes kept: the text that reads back as Value() when written again.
  std::string_view StoredValue() const {
    return TrimFile(text.substr(text.find('=', name_pos) + 1));
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
  line.text = text;
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
    // An empty key still has to lead StoredValue to the '='.
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

}  // namespace

// A deleted section leaves a group without header that keeps its comment and blank lines, so no
// edit has to move the lines of other groups.
struct ProfileDocument::Group {
  bool has_header = false;
  Line header;
  std::vector<Line> body;
  // The first entry line in `body` per key, while the group is Indexed().
  NoCaseIndex keys;
  std::size_t next_same = kNone;  // the next group of the same section name
  std::size_t last_same = kNone;  // in the first group of a name: the last group of that name

  auto KeyOf() const {
    return [this](NoCaseIndex::Pos i) { return body[i].Name(); };
  }

  // Short sections are searched line by line: for the six-key sections a configuration is made
  // of, that is faster than hashing, and a load builds no map for each of thousands.
  bool Indexed() const { return has_header && body.size() > kScanLines; }

  void IndexKeys() {
    keys.Reset(Indexed() ? body.size() : 0);
    if (!Indexed()) return;
    for (std::size_t i = 0; i < body.size(); ++i) {
      if (body[i].kind == Kind::Entry) {
        keys.TryEmplace(body[i].Name(), static_cast<NoCaseIndex::Pos>(i), KeyOf());
      }
    }
  }

  // The index in `body` of the first entry line of `key`, or kNone.
  std::size_t FindEntry(std::string_view key) const {
    key = TrimSpaces(key);
    if (Indexed()) {
      const NoCaseIndex::Pos* i = keys.Find(key, KeyOf());
      return i ? *i : kNone;
    }
    for (std::size_t i = 0; i < body.size(); ++i) {
      if (body[i].kind == Kind::Entry && EqualsNoCase(body[i].Name(), key)) return i;
    }
    return kNone;
  }

  // Only lines that are no entries may follow `pos`, so that no entry's index moves.
  void Insert(std::size_t pos, const Line& line) {
    body.insert(body.begin() + static_cast<std::ptrdiff_t>(pos), line);
    if (body.size() == kScanLines + 1) {
      IndexKeys();
    } else if (Indexed() && line.kind == Kind::Entry) {
      // A key with outer tabs may read as a name that is there already, earlier: it stays first.
      keys.TryEmplace(line.Name(), static_cast<NoCaseIndex::Pos>(pos), KeyOf());
    }
  }
};

ProfileDocument::ProfileDocument() : groups_(1) {}

ProfileDocument::ProfileDocument(std::string_view bytes) {
  Parse(std::make_shared<const std::string>(bytes));
}

ProfileDocument ProfileDocument::Adopt(std::string bytes) {
  ProfileDocument doc;
  doc.Parse(std::make_shared<const std::string>(std::move(bytes)));
  return doc;
}

ProfileDocument::~ProfileDocument() = default;
ProfileDocument::ProfileDocument(const ProfileDocument&) = default;
ProfileDocument& ProfileDocument::operator=(const ProfileDocument&) = default;
ProfileDocument::ProfileDocument(ProfileDocument&&) noexcept = default;
ProfileDocument& ProfileDocument::operator=(ProfileDocument&&) noexcept = default;

void ProfileDocument::Parse(std::shared_ptr<const std::string> source) {
  // The parse moves groups as their vector grows; copying them instead would cost a map each.
  static_assert(std::is_nothrow_move_constructible_v<Group>);
  source_ = std::move(source);
  written_.Clear();
  std::string_view rest = *source_;
  bom_ = rest.starts_with(kBom);
  if (bom_) rest.remove_prefix(kBom.size());
  groups_.clear();
  last_found_ = SIZE_MAX;
  // Rough: a section every 128 bytes. Growing costs moves and rehashing, not correctness.
  groups_.reserve(rest.size() / 128 + 1);
  sections_.Reset(rest.size() / 128);
  groups_.emplace_back();
  // The open group's lines gather here and move to the group in one allocation at its end.
  std::vector<Line> lines;
  const auto close = [&] {
    Group& g = groups_.back();
    g.body.assign(std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    lines.clear();
    g.IndexKeys();
  };
  while (!rest.empty()) {
    std::size_t end = 0;  // a plain loop: find_first_of tests every byte against the set
    while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
    const std::string_view text = rest.substr(0, end);
    Eol eol = Eol::None;
    if (end == rest.size()) {
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
    Line line = ParseLine(text, eol);
    if (line.kind != Kind::Header) {
      lines.push_back(std::move(line));
      continue;
    }
    close();
    Group& g = groups_.emplace_back();
    g.has_header = true;
    g.header = std::move(line);
    EnterSection(groups_.size() - 1);
  }
  close();
}

// The name of a group by its position, for the look-ups of sections_.
auto ProfileDocument::HeaderOf() const {
  return [this](NoCaseIndex::Pos i) { return groups_[i].header.Name(); };
}

// Makes the group at `index` findable by its header's name, or the last of that name's
// duplicates (first wins).
void ProfileDocument::EnterSection(std::size_t index) {
  const auto [first, added] = sections_.TryEmplace(
      groups_[index].header.Name(), static_cast<NoCaseIndex::Pos>(index), HeaderOf());
  Group& head = groups_[*first];
  if (!added) groups_[head.last_same].next_same = index;
  head.last_same = index;
}

const ProfileDocument::Group* ProfileDocument::FindGroup(std::string_view section) const {
  const NoCaseIndex::Pos* first = sections_.Find(TrimSpaces(section), HeaderOf());
  return first ? &groups_[*first] : nullptr;
}

// Writers find groups here. A save writes a section's keys one after another, so the group found
// last is tried before the hash: it is still the first of its name as long as it has its header,
// since groups are only appended and a deleted first loses its header.
ProfileDocument::Group* ProfileDocument::FindGroup(std::string_view section) {
  if (last_found_ < groups_.size()) {
    Group& g = groups_[last_found_];
    if (g.has_header && EqualsNoCase(g.header.Name(), TrimSpaces(section))) return &g;
  }
  auto* g = const_cast<Group*>(std::as_const(*this).FindGroup(section));
  if (g) last_found_ = static_cast<std::size_t>(g - groups_.data());
  return g;
}

ProfileDocument::Section ProfileDocument::FindSection(std::string_view section) const {
  return Section(FindGroup(section));
}

std::optional<std::string_view> ProfileDocument::Section::Find(std::string_view key) const {
  const std::size_t i = group_ ? group_->FindEntry(key) : kNone;
  if (i == kNone) return std::nullopt;
  return group_->body[i].Value();
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
  const Group* g = FindGroup(section);
  if (!g) return values;
  // An unbroken list from 0 has fewer numbers than the section has lines, so larger numbers
  // cannot be part of it. Keys are matched as written by std::to_string: digits without a
  // leading zero.
  std::vector<const Line*> first(g->body.size(), nullptr);
  for (const Line& l : g->body) {
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
  return source_ ? std::string_view(*source_) : std::string_view();
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Group* g = FindGroup(section);
  if (!g) return names;
  for (const Line& l : g->body) {
    if (l.kind == Kind::Entry && &g->body[g->FindEntry(l.Name())] == &l) {
      names.emplace_back(l.Name());
    }
  }
  return names;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Group& g : groups_) {
    if (g.has_header && FindGroup(g.header.Name()) == &g) names.emplace_back(g.header.Name());
  }
  return names;
}

bool ProfileDocument::HasSection(std::string_view section) const {
  return FindGroup(section) != nullptr;
}

void ProfileDocument::AppendSection(std::string_view section, std::string_view key,
                                    std::string_view value) {
  // The last line of the file gets a terminator before anything follows it.
  for (auto g = groups_.rbegin(); g != groups_.rend(); ++g) {
    Line* last = !g->body.empty() ? &g->body.back() : g->has_header ? &g->header : nullptr;
    if (!last) continue;
    if (last->eol == Eol::None) last->eol = Eol::CrLf;
    break;
  }
  Group& g = groups_.emplace_back();
  g.has_header = true;
  g.header = ParseLine(written_.Write({"[", section, "]"}), Eol::CrLf);
  // Room for a short section's keys at once: a save appends thousands of them.
  g.body.reserve(kScanLines);
  g.body.push_back(ParseLine(written_.Write({key, "=", value}), Eol::CrLf));
  // The header may read as an existing name ("\tA" is written when "A" exists, since asked
  // names lose spaces only): then it becomes that name's last duplicate.
  EnterSection(groups_.size() - 1);
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
  Group* g = FindGroup(section);
  if (!g) {
    AppendSection(section, key, value);
    return true;
  }
  if (const std::size_t i = g->FindEntry(key); i != kNone) {
    // The line keeps its text up to the first non-blank after '=', so its key stays the same.
    Line& line = g->body[i];
    const std::string_view t = line.text;
    std::size_t keep = t.find('=') + 1;
    while (keep < t.size() && IsFileBlank(t[keep])) ++keep;
    const bool written_as_key = line.written_as_key;
    line = ParseLine(written_.Write({t.substr(0, keep), value}), Eol::CrLf);
    line.written_as_key = written_as_key;
    return true;
  }
  // After the last data line, before the comment and blank lines that close the section.
  const std::vector<Line>& body = g->body;
  std::size_t pos = body.size();
  while (pos > 0 && !IsData(body[pos - 1]) && !body[pos - 1].written_as_key) --pos;
  Line& before = pos > 0 ? g->body[pos - 1] : g->header;
  if (before.eol == Eol::None) before.eol = Eol::CrLf;
  Line line = ParseLine(written_.Write({key, "=", value}), Eol::CrLf);
  line.written_as_key = true;
  g->Insert(pos, line);
  return true;
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
  Group* g = FindGroup(section);
  if (!g) return false;
  const std::size_t i = g->FindEntry(key);
  if (i == kNone) return false;
  g->body.erase(g->body.begin() + static_cast<std::ptrdiff_t>(i));
  g->IndexKeys();  // later lines moved, and a duplicate may now be first
  return true;
}

bool ProfileDocument::DeleteSection(std::string_view section) {
  NoCaseIndex::Pos* first = sections_.Find(TrimSpaces(section), HeaderOf());
  if (!first) return false;
  Group& g = groups_[*first];
  if (g.next_same == kNone) {
    sections_.Erase(first);
  } else {
    *first = static_cast<NoCaseIndex::Pos>(g.next_same);
    groups_[g.next_same].last_same = g.last_same;
  }
  g.has_header = false;
  std::erase_if(g.body, IsData);
  g.IndexKeys();  // drops the index: a group without header is never searched
  return true;
}

std::string ProfileDocument::Serialize() const {
  std::string out;
  std::size_t size = bom_ ? kBom.size() : 0;
  for (const Group& g : groups_) {
    if (g.has_header) size += g.header.text.size() + 2;
    for (const Line& l : g.body) size += l.text.size() + 2;
  }
  out.reserve(size);
  if (bom_) out += kBom;
  const auto put = [&out](const Line& l) {
    out += l.text;
    out += EolText(l.eol);
  };
  for (const Group& g : groups_) {
    if (g.has_header) put(g.header);
    for (const Line& l : g.body) put(l);
  }
  return out;
}

bool ProfileDocument::Empty() const {
  return !bom_ && std::all_of(groups_.begin(), groups_.end(),
                              [](const Group& g) { return !g.has_header && g.body.empty(); });
}

}  // namespace kz::platform
