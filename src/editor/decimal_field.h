// Whole numbers typed into an edit field.
#pragma once

#include <optional>
#include <string_view>

namespace kz::editor {

// The value of a field holding a decimal integer (blanks around it and one sign allowed), or
// nullopt when it is empty, holds anything else, or lies outside int.
std::optional<int> ParseDecimalField(std::string_view text);

}  // namespace kz::editor
