#include "projfiles/kpj_format.h"

namespace kz::projfiles {

std::vector<std::string_view> KpjList(const platform::ProfileDocument& doc,
                                      std::string_view section) {
  std::vector<std::string_view> values = doc.NumberedValues(section);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].empty()) {
      values.resize(i);
      break;
    }
    values[i] = KpjValue(values[i]);
  }
  return values;
}

}  // namespace kz::projfiles
