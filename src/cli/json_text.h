// Texts in the host's JSON output: a JSON string when the bytes are valid UTF-8, otherwise
// {"hex": "<the bytes in lower-case hex>"}, so that no byte is lost.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

namespace kz::cli {

nlohmann::ordered_json JsonText(std::string_view bytes);
// The bytes of a text in either form JsonText writes; nullopt for any other JSON value (a hex
// text of odd length or with other characters than hex digits included).
std::optional<std::string> TextFromJson(const nlohmann::ordered_json& value);

}  // namespace kz::cli
