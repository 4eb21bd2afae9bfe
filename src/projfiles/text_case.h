// ASCII letter case for names that Windows compares without case (field names, Citect project
// names, station names, cache keys). Bytes above 0x7F are left alone, as the code page's letters
// outside ASCII are not folded by the lookups this code stands in for.
#pragma once

#include <string>
#include <string_view>

namespace kz::projfiles {

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace kz::projfiles
