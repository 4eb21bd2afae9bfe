// Profile documents over arbitrary bytes: parse, look up, edit, serialize, parse again.
// The tail of the input after a 0xFF byte (or the file itself) drives the edits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile_document.h"

namespace {

using kz::platform::ProfileDocument;

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return out;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v';
}

// What a value written as `v` reads back as: trimmed, one pair of enclosing quotes removed.
std::string ReadBack(std::string_view v) {
  while (!v.empty() && IsBlank(v.front())) v.remove_prefix(1);
  while (!v.empty() && IsBlank(v.back())) v.remove_suffix(1);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

// A name the reader finds again exactly as it was written.
bool FindableName(std::string_view n) {
  return !n.empty() && !IsBlank(n.front()) && !IsBlank(n.back()) && n.front() != ';';
}

// Every (section, key) of the document with its value.
std::map<std::pair<std::string, std::string>, std::string> Contents(const ProfileDocument& doc) {
  std::map<std::pair<std::string, std::string>, std::string> out;
  for (const auto& section : doc.SectionNames()) {
    for (const auto& key : doc.KeyNames(section)) {
      // Names come trimmed from the file, so each can be asked for.
      const auto value = doc.Find(section, key);
      Check(value.has_value());
      out[{Folded(section), Folded(key)}] = std::string(*value);
    }
  }
  return out;
}

class Input {
 public:
  explicit Input(std::string_view bytes) : bytes_(bytes) {}
  bool Empty() const { return pos_ >= bytes_.size(); }
  unsigned Byte() { return Empty() ? 0 : static_cast<unsigned char>(bytes_[pos_++]); }
  std::string_view Text() {
    const std::size_t n = Byte() % 12;
    const auto t = bytes_.substr(std::min(pos_, bytes_.size()), n);
    pos_ += t.size();
    return t;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const auto split = all.find('\xFF');
  const std::string_view file = all.substr(0, split);
  Input edits(split == std::string_view::npos ? all : all.substr(split + 1));

  ProfileDocument doc(file);
  Check(doc.Serialize() == file);  // reading changes no byte
  const auto before = Contents(doc);
  for (const auto& [names, value] : before) {
    const std::string got = doc.GetString(names.first, names.second, "", value.size() + 1);
    Check(got == value);
    Check(doc.GetString(names.first, names.second, "", 1).empty());
  }

  const auto sections = doc.SectionNames();
  std::vector<std::string> touched;
  for (int i = 0; i < 8 && !edits.Empty(); ++i) {
    const unsigned op = edits.Byte();
    std::string section = (op & 8) && !sections.empty() ? sections[edits.Byte() % sections.size()]
                                                        : std::string(edits.Text());
    const std::string key(edits.Text());
    const std::string value(edits.Text());
    std::string_view asked = section;  // as the document matches it: outer spaces dropped
    while (!asked.empty() && asked.front() == ' ') asked.remove_prefix(1);
    while (!asked.empty() && asked.back() == ' ') asked.remove_suffix(1);
    touched.push_back(Folded(asked));
    const std::string text_before = doc.Serialize();
    switch (op % 3) {
      case 0: {
        const bool ok = doc.SetValue(section, key, value);
        if (!ok) {
          Check(doc.Serialize() == text_before);
        } else if (FindableName(section) && FindableName(key)) {
          Check(doc.GetString(section, key, "", 4096) == ReadBack(value));
        }
        Check(ok || value.find_first_of("\r\n") != std::string::npos ||
              section.find_first_of("\r\n]") != std::string::npos ||
              key.find_first_of("\r\n=[") != std::string::npos ||
              key.find_first_not_of(" \t\v") == std::string::npos);
        break;
      }
      case 1:
        if (doc.DeleteKey(section, key)) Check(doc.Serialize() != text_before);
        break;
      default:
        if (doc.DeleteSection(section)) Check(doc.Serialize() != text_before);
        break;
    }
  }

  // Sections no edit named read as before.
  const auto after = Contents(doc);
  for (const auto& [names, value] : before) {
    bool edited = false;
    for (const auto& t : touched) edited |= t == names.first;
    if (edited) continue;
    const auto it = after.find(names);
    Check(it != after.end() && it->second == value);
  }
  // The written text reads back as the edited document does.
  const std::string text = doc.Serialize();
  const ProfileDocument again(text);
  Check(again.Serialize() == text);
  Check(Contents(again) == after);
  return 0;
}
