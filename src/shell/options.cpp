#include "shell/options.h"

#include "platform/ascii_case.h"

namespace kz::shell {

bool HasOption(std::string_view options, std::string_view keyword) {
  return options.find(keyword) != std::string_view::npos;
}

bool IsCitectByEquality(std::string_view options) {
  return platform::EqualsNoCase(options, kCitectOption);
}

const Edition& StandardEdition() {
  static const Edition edition{false, "Datalog Server", "kzdlogrcv.exe", "kzdlogrcv.cfg", 0, ""};
  return edition;
}

const Edition& CitectEdition() {
  static const Edition edition{
      true, "Citect Datalog Server", "kzcitectsrv.exe", "kzcitectsrv.cfg", 1, kCitectOption};
  return edition;
}

}  // namespace kz::shell
