// Letter case as Windows ignores it in names (registry keys, profile sections and keys, file
// names, dBase fields, Citect projects and stations): ASCII letters only, bytes from 0x80 up are
// compared and kept as they are, so no locale can change a lookup.
#pragma once

#include <string>
#include <string_view>

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

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

}  // namespace kz::platform
