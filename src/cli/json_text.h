// Texts in the host's JSON output: a JSON string when the bytes are valid UTF-8, otherwise
// {"hex": "<the bytes in lower-case hex>"}, so that no byte is lost.
#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

namespace kz::cli {

nlohmann::ordered_json JsonText(std::string_view bytes);

}  // namespace kz::cli
