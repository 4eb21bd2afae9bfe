#include "shell/options.h"

namespace kz::shell {
namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool HasOption(std::string_view options, std::string_view keyword) {
  return options.find(keyword) != std::string_view::npos;
}

bool IsCitectByEquality(std::string_view options) {
  if (options.size() != kCitectOption.size()) return false;
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (LowerAscii(options[i]) != kCitectOption[i]) return false;
  }
  return true;
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
