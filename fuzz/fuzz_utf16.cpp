// The options text crosses the module boundary as UTF-16 from any host; every byte string must
// survive the trip through UTF-16 and any UTF-16 must convert.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "shell/utf16.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (kz::shell::Utf16ToUtf8(kz::shell::Utf8ToUtf16(bytes)) != bytes) std::abort();
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  (void)kz::shell::Utf16ToUtf8(units);
  return 0;
}
