#include "config/options_path.h"

#include <array>

#include "platform/system_dirs.h"

namespace kz::config {
namespace {

constexpr std::string_view kFileKeyword = "File=";
constexpr std::array<std::string_view, 4> kKeywords = {"product=", "type=", "page=", "File="};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool StartsWithKeyword(std::string_view text) {
  for (std::string_view keyword : kKeywords) {
    if (text.starts_with(keyword)) return true;
  }
  return false;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

bool IsCitectEdition(std::string_view options) {
  return options.find(kCitectOption) != std::string_view::npos;
}

std::string ConfigPathFromOptions(std::string_view options, std::string_view windows_dir) {
  const auto at = options.find(kFileKeyword);
  if (at == std::string_view::npos) {
    if (windows_dir.empty()) return {};
    return platform::JoinPath(windows_dir,
                              IsCitectEdition(options) ? kCitectConfigFile : kStandardConfigFile);
  }
  std::string_view rest = options.substr(at + kFileKeyword.size());
  // A path may hold blanks (in quotes or not), so only a blank that introduces another keyword
  // ends it; "File=C:\a b.cfg" keeps its blank, "File=a.cfg page=x" loses the page keyword.
  bool quoted = false;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(rest[i])) {
      std::size_t next = i;
      while (next < rest.size() && IsBlank(rest[next])) ++next;
      if (StartsWithKeyword(rest.substr(next))) {
        rest = rest.substr(0, i);
        break;
      }
      i = next - 1;
    }
  }
  rest = TrimBlanks(rest);
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
    rest = rest.substr(1, rest.size() - 2);
  }
  return std::string(rest);
}

}  // namespace kz::config
