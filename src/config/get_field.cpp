#include "config/get_field.h"

namespace kz::config {
namespace {

bool IsBlankOrControl(unsigned char c) {
  // Bytes from 0x80 up are printable text of the code page, never blanks.
  return c < 0x20 || c == 0x7f || c == ' ';
}

}  // namespace

std::string GetField(std::string_view line, char separator, int n, int max_len) {
  std::string result;
  if (n < 1 || max_len <= 0) return result;
  const auto limit = static_cast<std::size_t>(max_len);
  int field = 1;
  bool quoting = false;
  for (std::size_t i = 0; i < line.size() && field <= n; ++i) {
    const char c = line[i];
    if (c == '`') {
      // Quoting spans the whole line, so a quoted separator in an earlier field does not count.
      quoting = !quoting;
      continue;
    }
    if (!quoting && c == separator) {
      ++field;
      continue;
    }
    if (!quoting && separator == '\0' && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
      ++field;
      continue;
    }
    if (field == n && result.size() < limit) {
      if (result.empty() && IsBlankOrControl(static_cast<unsigned char>(c))) continue;
      result.push_back(c);
    }
  }
  const auto first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = result.find_last_not_of(' ');
  return result.substr(first, last - first + 1);
}

}  // namespace kz::config
