#include "citect/compact_path.h"

namespace kz::citect {
namespace {

// Room left at the cell's edges.
constexpr int kMargin = 5;

// Cuts fall between characters, never inside a UTF-8 sequence.
bool IsCharStart(std::string_view text, std::size_t pos) {
  return pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80;
}

// What stays in front of the "...": "." for "./x", the run of "../" steps for "../../x", else
// the directories up to the second slash ("/home" of "/home/user/x.kpj").
std::string_view LeadingPart(std::string_view path, std::string_view dir) {
  if (path.starts_with("./")) return path.substr(0, 1);
  if (path.starts_with("../")) {
    std::size_t end = 0;
    while (path.substr(end).starts_with("../")) end += 3;
    return path.substr(0, end - 1);
  }
  const std::size_t first = dir.find('/');
  const std::size_t second = first == std::string_view::npos ? first : dir.find('/', first + 1);
  return second == std::string_view::npos ? dir : dir.substr(0, second);
}

}  // namespace

std::string CompactPath(std::string_view path, int width,
                        const std::function<int(std::string_view)>& text_width,
                        int average_char_width) {
  if (text_width(path) + kMargin <= width) return std::string(path);

  const std::size_t last_slash = path.rfind('/');
  const std::string_view dir =
      last_slash == std::string_view::npos ? std::string_view() : path.substr(0, last_slash + 1);
  const std::string_view file = path.substr(dir.size());
  const std::string_view lead = LeadingPart(path, dir);

  std::string_view middle;
  if (last_slash != std::string_view::npos && last_slash > lead.size()) {
    middle = path.substr(lead.size(), last_slash - lead.size());
    while (middle.starts_with('/')) middle.remove_prefix(1);
    while (middle.ends_with('/')) middle.remove_suffix(1);
  }

  const std::string file_text(file);
  const std::string lead_text(lead);
  if (text_width(lead_text + "/.../" + file_text) < width - kMargin) {
    // As much of the middle's tail as still leaves about a character of room.
    for (std::size_t k = 1; k <= middle.size(); ++k) {
      const std::size_t from = middle.size() - k;
      if (!IsCharStart(middle, from)) continue;
      std::string shown = lead_text + "/..." + std::string(middle.substr(from)) + "/" + file_text;
      if (text_width(shown) + kMargin + average_char_width >= width) return shown;
    }
    return std::string(path);
  }
  if (!path.starts_with("./") && !path.starts_with("../")) {
    for (std::size_t k = lead.size(); k-- > 1;) {
      if (!IsCharStart(lead, k)) continue;
      std::string shown = std::string(lead.substr(0, k)) + "/.../" + file_text;
      if (text_width(shown) + kMargin + average_char_width < width) return shown;
    }
  }
  return ".../" + file_text;
}

}  // namespace kz::citect
