#include "cli/json_text.h"

#include <cstdint>

namespace kz::cli {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<std::uint8_t>(s[i]);
    int extra;
    std::uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto cc = static_cast<std::uint8_t>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    static constexpr std::uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

nlohmann::ordered_json JsonText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    const auto b = static_cast<std::uint8_t>(ch);
    hex += kHex[b >> 4];
    hex += kHex[b & 0xF];
  }
  return nlohmann::ordered_json{{"hex", hex}};
}

}  // namespace kz::cli
