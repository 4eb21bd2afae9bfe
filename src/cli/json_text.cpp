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

std::optional<std::string> TextFromJson(const nlohmann::ordered_json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (!value.is_object() || value.size() != 1 || !value.contains("hex")) return std::nullopt;
  const auto& hex = value["hex"];
  if (!hex.is_string()) return std::nullopt;
  const auto& digits = hex.get_ref<const std::string&>();
  if (digits.size() % 2 != 0) return std::nullopt;
  const auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string bytes;
  bytes.reserve(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int high = nibble(digits[i]);
    const int low = nibble(digits[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high << 4 | low);
  }
  return bytes;
}

}  // namespace kz::cli
