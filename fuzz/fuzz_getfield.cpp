// GetField over arbitrary lines: the first bytes choose the separator, field number and limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/get_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const char separator = static_cast<char>(data[0]);
  const int n = static_cast<int>(static_cast<std::int8_t>(data[1]));
  const int max_len = static_cast<int>(static_cast<std::int8_t>(data[2]));
  const std::string_view line(reinterpret_cast<const char*>(data + 3), size - 3);
  for (int field = n - 1; field <= n + 1; ++field) {
    const std::string result = kz::config::GetField(line, separator, field, max_len);
    if (result.size() > static_cast<std::size_t>(max_len < 0 ? 0 : max_len)) std::abort();
    if (!result.empty() && (result.front() == ' ' || result.back() == ' ')) std::abort();
    if (result.find('`') != std::string::npos) std::abort();
  }
  return 0;
}
