#include "citect/citect_grid_col.h"

#include <algorithm>
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

char* CCitectGridCol::WriteSortKey(const CCitectTrendTag& tag, char* out) const {
  const std::string& text = GetText(tag);
  return std::transform(text.begin(), text.end(), out, platform::AsciiFold);
}

}  // namespace kz::citect
