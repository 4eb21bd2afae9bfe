// Texts in the host's JSON output: a JSON string when the bytes are valid UTF-8, otherwise
// {"hex": "<the bytes in lower-case hex>"}, so that no byte is lost.
#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

namespace kz::cli {

bool IsValidUtf8(std::string_view bytes);
nlohmann::ordered_json JsonText(std::string_view bytes);

}  // namespace kz::cli
