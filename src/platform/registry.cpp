#include "platform/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/file_io.h"
#include "platform/system_dirs.h"
#include "platform/unique_fd.h"

namespace kz::platform {
namespace {

constexpr std::string_view kSignature = "Windows Registry Editor Version 5.00";
constexpr std::string_view kCrlf = "\r\n";

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiFold(x)) < static_cast<unsigned char>(AsciiFold(y));
  });
}

// One '\' between components, none at either end: "\Software\\X\" and "Software\X" are one key.
std::string Normalize(std::string_view key) {
  std::string out;
  std::size_t start = 0;
  while (start <= key.size()) {
    const auto end = std::min(key.find('\\', start), key.size());
    if (end > start) {
      if (!out.empty()) out += '\\';
      out += key.substr(start, end - start);
    }
    start = end + 1;
  }
  return out;
}

// True when `path` lies below `parent` ("" is the root); `rest` gets what follows "parent\".
bool IsBelow(std::string_view path, std::string_view parent, std::string_view& rest) {
  if (parent.empty()) {
    rest = path;
    return !path.empty();
  }
  if (path.size() <= parent.size() || path[parent.size()] != '\\' ||
      !EqualsNoCase(path.substr(0, parent.size()), parent)) {
    return false;
  }
  rest = path.substr(parent.size() + 1);
  return true;
}

void PutQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

void PutHex(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ',';
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
}

// Reads a quoted text starting at s[0] == '"'. Unknown escapes keep their backslash.
std::optional<std::string> TakeQuoted(std::string_view& s) {
  std::string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '"') {
      s.remove_prefix(i + 1);
      return out;
    }
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i];
  }
  return std::nullopt;
}

std::optional<std::string> ParseHexList(std::string_view s) {
  std::string out;
  int digits = 0;
  unsigned value = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else if (c == ',' || c == ' ' || c == '\t') {
      if (digits) out += static_cast<char>(value);
      digits = 0;
      value = 0;
      continue;
    } else {
      return std::nullopt;
    }
    if (++digits > 2) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(d);
  }
  if (digits) out += static_cast<char>(value);
  return out;
}

std::optional<RegValue> ParseData(std::string_view s) {
  RegValue v;
  if (!s.empty() && s.front() == '"') {
    auto text = TakeQuoted(s);
    if (!text) return std::nullopt;
    v.text = std::move(*text);
    return v;
  }
  const auto lower = AsciiLower(s.substr(0, 7));
  if (lower.starts_with("dword:")) {
    const std::string_view hex = s.substr(6);
    if (hex.empty() || hex.size() > 8) return std::nullopt;
    const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), v.dword, 16);
    if (ec != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
    v.kind = RegValue::Kind::Dword;
    return v;
  }
  if (lower == "hex(1):" || lower == "hex(2):") {
    auto bytes = ParseHexList(s.substr(7));
    if (!bytes) return std::nullopt;
    v.kind = lower == "hex(1):" ? RegValue::Kind::String : RegValue::Kind::ExpandString;
    v.text = std::move(*bytes);
    return v;
  }
  return std::nullopt;  // other kinds and "=-" deletions are not part of this store
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Splits the file into logical lines: a line ending in '\' continues on the next one.
std::vector<std::string> LogicalLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string current;
  bool continuing = false;
  while (!bytes.empty()) {
    const auto end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end);
    if (bytes.starts_with("\r\n")) {
      bytes.remove_prefix(2);
    } else if (!bytes.empty()) {
      bytes.remove_prefix(1);
    }
    if (continuing) line = TrimBlanks(line);
    current += line;
    continuing = !current.empty() && current.back() == '\\' &&
                 current.find('=') != std::string::npos && current.front() != '[';
    if (continuing) {
      current.pop_back();
    } else {
      lines.push_back(std::move(current));
      current.clear();
    }
  }
  if (continuing || !current.empty()) lines.push_back(std::move(current));
  return lines;
}

// Key and value names stand on one line of the file, so they cannot hold a line break.
bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

const char* HiveName(Hive hive) {
  switch (hive) {
    case Hive::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case Hive::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case Hive::CurrentUser:
      break;
  }
  return "HKEY_CURRENT_USER";
}

}  // namespace

RegistryHive RegistryHive::Parse(std::string_view bytes) {
  RegistryHive hive;
  bool root_seen = false;
  bool signature_seen = false;
  Key* current = nullptr;  // the key whose lines follow; null before the first or after another
  Key* last = nullptr;     // the last key of this hive seen
  // A line this store does not understand stays where it stood: in its key among its values,
  // else after the values of the key before it (or before the first key).
  const auto keep = [&](std::string_view raw) {
    // A line ending in '\' would take the next line in when read again; a blank after it keeps
    // it one line.
    std::string line(raw);
    if (line.ends_with('\\')) line += ' ';
    if (current) {
      current->kept.emplace_back(current->values.size(), std::move(line));
    } else if (last) {
      last->kept.emplace_back(kAfterValues, std::move(line));
    } else {
      hive.preamble_.push_back(std::move(line));
    }
  };
  for (const std::string& raw : LogicalLines(bytes)) {
    std::string_view line = TrimBlanks(raw);
    if (line.empty()) continue;
    if (!signature_seen && !root_seen && line == kSignature) {
      signature_seen = true;  // written anew by Serialize
      continue;
    }
    if (line.front() == ';') {
      keep(raw);
      continue;
    }
    if (line.front() == '[') {
      current = nullptr;
      const auto close = line.rfind(']');
      std::string path;
      std::string_view first;
      if (close != std::string_view::npos && !line.substr(1).starts_with("-")) {
        path = Normalize(line.substr(1, close - 1));
        first = std::string_view(path).substr(0, path.find('\\'));
      }
      if (!AsciiLower(first).starts_with("hkey_")) {  // not a key of any hive
        keep(raw);
        continue;
      }
      if (!root_seen) hive.root_ = first;
      root_seen = true;
      path.erase(0, std::min(path.size(), first.size() + 1));
      current = last = &hive.Create(path);
      continue;
    }
    if (!current) {
      keep(raw);
      continue;
    }
    std::string_view rest = line;
    std::string name;
    std::optional<RegValue> value;
    bool named = true;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else if (rest.front() == '"') {
      auto quoted = TakeQuoted(rest);
      named = quoted.has_value();
      if (named) name = std::move(*quoted);
    } else {
      named = false;
    }
    rest = TrimBlanks(rest);
    if (named && !rest.empty() && rest.front() == '=')
      value = ParseData(TrimBlanks(rest.substr(1)));
    if (!value) {
      keep(raw);
      continue;
    }
    // The last of duplicate values wins, as an import would leave it.
    bool replaced = false;
    for (auto& [n, v] : current->values) {
      if (EqualsNoCase(n, name)) {
        v = std::move(*value);
        replaced = true;
        break;
      }
    }
    if (!replaced) current->values.emplace_back(std::move(name), std::move(*value));
  }
  return hive;
}

namespace {

void PutValue(std::string& out, const std::string& name, const RegValue& value) {
  if (name.empty()) {
    out += '@';
  } else {
    PutQuoted(out, name);
  }
  out += '=';
  switch (value.kind) {
    case RegValue::Kind::String:
      if (value.text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
        PutQuoted(out, value.text);
      } else {
        out += "hex(1):";
        PutHex(out, value.text);
      }
      break;
    case RegValue::Kind::ExpandString:
      out += "hex(2):";
      PutHex(out, value.text);
      break;
    case RegValue::Kind::Dword: {
      char buf[16];
      std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(value.dword));
      out += buf;
      break;
    }
  }
  out += kCrlf;
}

void PutLine(std::string& out, std::string_view line) {
  out += line;
  out += kCrlf;
}

}  // namespace

std::string RegistryHive::Serialize() const {
  std::string out(kSignature);
  out += kCrlf;
  if (!preamble_.empty()) out += kCrlf;
  for (const std::string& line : preamble_) PutLine(out, line);
  for (const Key& key : keys_) {
    out += kCrlf;
    out += '[';
    out += root_;
    if (!key.path.empty()) out += '\\';
    out += key.path;
    out += ']';
    out += kCrlf;
    auto kept = key.kept.begin();
    for (std::size_t i = 0; i < key.values.size(); ++i) {
      for (; kept != key.kept.end() && kept->first <= i; ++kept) PutLine(out, kept->second);
      PutValue(out, key.values[i].first, key.values[i].second);
    }
    for (; kept != key.kept.end(); ++kept) PutLine(out, kept->second);
  }
  return out;
}

RegistryHive::Key* RegistryHive::Find(std::string_view key) {
  const auto it = index_.find(AsciiLower(Normalize(key)));
  return it == index_.end() ? nullptr : &keys_[it->second];
}

const RegistryHive::Key* RegistryHive::Find(std::string_view key) const {
  return const_cast<RegistryHive*>(this)->Find(key);
}

RegistryHive::Key& RegistryHive::Create(std::string_view normalized) {
  const auto [it, added] = index_.try_emplace(AsciiLower(normalized), keys_.size());
  if (added) keys_.push_back({std::string(normalized), {}, {}});
  return keys_[it->second];
}

void RegistryHive::Reindex() {
  index_.clear();
  for (std::size_t i = 0; i < keys_.size(); ++i) index_.emplace(AsciiLower(keys_[i].path), i);
}

bool RegistryHive::KeyExists(std::string_view key) const {
  const std::string path = Normalize(key);
  if (Find(path)) return true;
  std::string_view rest;
  return std::any_of(keys_.begin(), keys_.end(),
                     [&](const Key& k) { return IsBelow(k.path, path, rest); });
}

std::vector<std::string> RegistryHive::Subkeys(std::string_view key) const {
  const std::string path = Normalize(key);
  std::vector<std::string> names;
  std::unordered_map<std::string, bool> seen;
  for (const Key& k : keys_) {
    std::string_view rest;
    if (!IsBelow(k.path, path, rest)) continue;
    std::string name(rest.substr(0, rest.find('\\')));
    if (seen.try_emplace(AsciiLower(name), true).second) names.push_back(std::move(name));
  }
  std::stable_sort(names.begin(), names.end(), LessNoCase);
  return names;
}

std::optional<RegValue> RegistryHive::GetValue(std::string_view key, std::string_view name) const {
  const Key* k = Find(key);
  if (!k) return std::nullopt;
  for (const auto& [n, v] : k->values) {
    if (EqualsNoCase(n, name)) return v;
  }
  return std::nullopt;
}

bool RegistryHive::CreateKey(std::string_view key) {
  if (HasLineBreak(key)) return false;
  const std::string path = Normalize(key);
  // Parents first, as an export lists them.
  for (std::size_t pos = path.find('\\'); pos != std::string::npos;
       pos = path.find('\\', pos + 1)) {
    Create(std::string_view(path).substr(0, pos));
  }
  Create(path);
  return true;
}

bool RegistryHive::SetValue(std::string_view key, std::string_view name, RegValue value) {
  if (HasLineBreak(key) || HasLineBreak(name)) return false;
  CreateKey(key);
  Key* k = Find(key);
  for (auto& [n, v] : k->values) {
    if (EqualsNoCase(n, name)) {
      v = std::move(value);
      return true;
    }
  }
  k->values.emplace_back(std::string(name), std::move(value));
  return true;
}

void RegistryHive::DeleteValue(std::string_view key, std::string_view name) {
  Key* k = Find(key);
  if (!k) return;
  for (std::size_t i = 0; i < k->values.size();) {
    if (!EqualsNoCase(k->values[i].first, name)) {
      ++i;
      continue;
    }
    k->values.erase(k->values.begin() + static_cast<std::ptrdiff_t>(i));
    // Kept lines after it stay after the values that were before them.
    for (auto& [position, line] : k->kept) {
      if (position > i && position != kAfterValues) --position;
    }
  }
}

void RegistryHive::DeleteTree(std::string_view key) {
  const std::string path = Normalize(key);
  std::erase_if(keys_, [&](const Key& k) {
    std::string_view rest;
    return EqualsNoCase(k.path, path) || IsBelow(k.path, path, rest);
  });
  Reindex();
}

std::filesystem::path Registry::HivePath(Hive hive) {
  return RegistryDirectory() / (std::string(HiveName(hive)) + ".reg");
}

RegistryHive Registry::Load(Hive hive) {
  std::string bytes;
  RegistryHive h =
      ReadWholeFile(HivePath(hive), bytes) ? RegistryHive::Parse(bytes) : RegistryHive();
  h.SetRootName(HiveName(hive));
  return h;
}

Status Registry::Modify(Hive hive, const std::function<void(RegistryHive&)>& edit) {
  std::error_code ec;
  std::filesystem::create_directories(RegistryDirectory(), ec);
  const std::filesystem::path path = HivePath(hive);
  const std::filesystem::path lock_path = path.string() + ".lock";
  // Closing it releases the lock.
  const UniqueFd lock(open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!lock.valid()) return Status::FromErrno(errno, lock_path);
  int rc;
  while ((rc = flock(lock.get(), LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (rc != 0) return Status::FromErrno(errno, lock_path);
  std::string before;
  // Writing back what could be read of it would lose the rest of the hive.
  if (Status read = ReadWholeFile(path, before); !read && !read.Is(Status::Kind::kNotFound)) {
    return read;
  }
  RegistryHive h = RegistryHive::Parse(before);
  h.SetRootName(HiveName(hive));
  const std::string unchanged = h.Serialize();
  edit(h);
  const std::string after = h.Serialize();
  return after == unchanged ? Status() : WriteFileAtomically(path, after);
}

std::optional<std::string> Registry::GetString(Hive hive, std::string_view key,
                                               std::string_view name) {
  const auto value = Load(hive).GetValue(key, name);
  if (!value || value->kind == RegValue::Kind::Dword) return std::nullopt;
  return value->text;
}

Status Registry::SetValue(Hive hive, std::string_view key, std::string_view name, RegValue value) {
  bool accepted = true;
  Status modified =
      Modify(hive, [&](RegistryHive& h) { accepted = h.SetValue(key, name, std::move(value)); });
  if (!modified || accepted) return modified;
  return Status::Error(Status::Kind::kInvalidArgument, HivePath(hive),
                       "a key path or value name holding a line break cannot be stored");
}

Status Registry::SetString(Hive hive, std::string_view key, std::string_view name,
                           std::string_view value) {
  return SetValue(hive, key, name, {RegValue::Kind::String, std::string(value), 0});
}

namespace {
std::string AppKey(std::string_view section) {
  return std::string(AppProfile::kRoot) + "\\" + std::string(section);
}
}  // namespace

std::string AppProfile::GetString(std::string_view section, std::string_view entry,
                                  std::string_view def) {
  auto text = Registry::GetString(Hive::CurrentUser, AppKey(section), entry);
  return text ? std::move(*text) : std::string(def);
}

int AppProfile::GetInt(std::string_view section, std::string_view entry, int def) {
  const auto value = Registry::Load(Hive::CurrentUser).GetValue(AppKey(section), entry);
  if (!value) return def;
  if (value->kind == RegValue::Kind::Dword) return static_cast<int>(value->dword);
  const std::string_view text = TrimBlanks(value->text);
  int n = 0;
  const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
  const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), n);
  return (ec == std::errc() && end == text.data() + text.size() && !text.empty()) ? n : def;
}

bool AppProfile::WriteString(std::string_view section, std::string_view entry,
                             std::string_view value) {
  return Registry::SetString(Hive::CurrentUser, AppKey(section), entry, value).ok();
}

bool AppProfile::WriteInt(std::string_view section, std::string_view entry, int value) {
  return Registry::SetValue(Hive::CurrentUser, AppKey(section), entry,
                            {RegValue::Kind::Dword, {}, static_cast<std::uint32_t>(value)})
      .ok();
}

}  // namespace kz::platform
