// Comparison without ASCII letter case, for names that Windows compares that way (field names,
// Citect project and station names). Bytes above 0x7F are compared as they are.
#pragma once

#include <string_view>

namespace kz::projfiles {

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace kz::projfiles
