// CompactPath: a project file path shortened to fit a grid column, with "..." standing for the
// directories left out ("/home/.../projects/site.kpj", ".../site.kpj"). For display only: the
// record keeps the whole path. Measuring is the caller's: `text_width` gives a text's width in
// pixels in the cell's font and `average_char_width` that font's average character width, so the
// rule runs without a toolkit.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kz::citect {

// `path` as it should be shown in a column `width` pixels wide.
std::string CompactPath(std::string_view path, int width,
                        const std::function<int(std::string_view)>& text_width,
                        int average_char_width);

}  // namespace kz::citect
