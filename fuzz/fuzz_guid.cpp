// ParseGuid reads class identifiers from the registry store, which anyone may have edited.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/guid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto guid = kz::shell::ParseGuid(text)) {
    // What parses must print back to the same identifier.
    if (!(kz::shell::ParseGuid(kz::shell::FormatGuid(*guid)) == *guid)) std::abort();
  }
  return 0;
}
