// Letter case as Windows ignores it in names (registry keys, profile sections and keys, file
// names, dBase fields, Citect projects and stations): ASCII letters only, bytes from 0x80 up are
// compared and kept as they are, so no locale can change a lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kz::platform {

constexpr char AsciiFold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiFold(a[i]) != AsciiFold(b[i])) return false;
  }
  return true;
}

// <0, 0 or >0 as `a` sorts before, with or after `b` when letter case is ignored (bytes from 0x80
// up sort after ASCII, unsigned).
int CompareNoCase(std::string_view a, std::string_view b);

// FNV-1a over the folded bytes of `s`, continuing from `h`: several names hash as one.
constexpr std::uint64_t HashNoCase(std::string_view s, std::uint64_t h = 14695981039346656037ull) {
  for (char c : s) {
    h ^= static_cast<unsigned char>(AsciiFold(c));
    h *= 1099511628211ull;
  }
  return h;
}

// Hash and equality for unordered containers keyed by such names; both take string_views, so a
// map keyed by std::string is searched without making one.
// The hash is not noexcept on purpose: libstdc++ then stores each node's hash, instead of hashing
// the names again while it walks a bucket.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return HashNoCase(s); }
};

struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualsNoCase(a, b);
  }
};

template <typename Value, typename Key = std::string>
using NoCaseMap = std::unordered_map<Key, Value, NoCaseHash, NoCaseEqual>;

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

}  // namespace kz::platform
