#include "citect/citect_grid_col.h"

#include <cassert>

#include "platform/ascii_case.h"

namespace kz::citect {

CCitectGridCol::CCitectGridCol(int id) : id_(id) {
  assert(id >= 0 && id < kCitectColumnCount);
  // An editable column stores through a setter, a read-only one has none. (Not a static_assert:
  // member pointers do not compare in constant expressions under the sanitizer build.)
  assert((Facts().kind == CellKind::ReadOnly) == (Facts().setter == nullptr));
}

void CCitectGridCol::SetText(CCitectTrendTag& tag, std::string_view text) const {
  if (const auto setter = Facts().setter) (tag.*setter)(text);
}

int CCitectGridCol::Compare(const CCitectTrendTag& a, const CCitectTrendTag& b) const {
  return platform::CompareNoCase(GetText(a), GetText(b));
}

void CCitectGridCol::AppendSortKey(const CCitectTrendTag& tag, bool descending,
                                   std::string& key) const {
  // A zero byte is written 00 01 and the end 00 00: the end sorts before any byte, and a text
  // cannot end where a longer one goes on. Inverting every byte reverses the order.
  const char flip = descending ? '\xff' : '\0';
  const std::string& text = GetText(tag);
  const std::size_t at = key.size();
  key.resize(at + text.size());
  char* out = key.data() + at;
  bool zero = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(platform::AsciiFold(text[i]) ^ flip);
    zero |= text[i] == '\0';
  }
  if (zero) {  // rare: written again, each zero byte escaped
    key.resize(at);
    for (char c : text) {
      key += static_cast<char>(platform::AsciiFold(c) ^ flip);
      if (c == '\0') key += static_cast<char>(1 ^ flip);
    }
  }
  key += flip;
  key += flip;
}

}  // namespace kz::citect
