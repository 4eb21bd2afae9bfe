#include "cli/json_text.h"

#include <cstdint>

#include "shell/utf16.h"

namespace kz::cli {

nlohmann::ordered_json JsonText(std::string_view bytes) {
  if (shell::IsValidUtf8(bytes)) return std::string(bytes);
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
