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
  static const Edition edition{
      .citect = false,
      .server_title = "Datalog Server",
      .server_program = "kzdlogrcv.exe",
      .config_file = config::kStandardConfigFile,
      .status_word = 0,
      .sheet_options = "",
  };
  return edition;
}

const Edition& CitectEdition() {
  static const Edition edition{
      .citect = true,
      .server_title = "Citect Datalog Server",
      .server_program = "kzcitectsrv.exe",
      .config_file = config::kCitectConfigFile,
      .status_word = 1,
      .sheet_options = kCitectOption,
  };
  return edition;
}

}  // namespace kz::shell
