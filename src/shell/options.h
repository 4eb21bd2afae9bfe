// The host's options text and the two tests made on it.
//
// The substring test (HasOption): the keyword occurs anywhere, letter case significant. The
// equality test (IsCitectByEquality): the whole text equals "product=citect", ASCII case ignored.
// Configure decides its edition by the substring test but its first status warning by the
// equality test; finding, starting and querying the server use the equality test only.
#pragma once

#include <cstddef>
#include <string_view>

#include "config/options_path.h"

namespace kz::shell {

inline constexpr std::string_view kCitectOption = config::kCitectOption;
inline constexpr std::string_view kTrendOption = "type=trend";
inline constexpr std::string_view kFileOption = "File=";
inline constexpr std::string_view kScheduledPageOption = "page=scheduled_xfers";

bool HasOption(std::string_view options, std::string_view keyword);
bool IsCitectByEquality(std::string_view options);

// What differs between the two editions.
struct Edition {
  bool citect;
  std::string_view server_title;    // the server window's title
  std::string_view server_program;  // the server executable's file name
  std::string_view config_file;     // the configuration file's name in the Windows directory
  std::size_t status_word;          // index in the status block
  std::string_view sheet_options;   // the options text the configuration sheet is given
};

const Edition& StandardEdition();
const Edition& CitectEdition();
inline const Edition& EditionByEquality(std::string_view options) {
  return IsCitectByEquality(options) ? CitectEdition() : StandardEdition();
}
inline const Edition& EditionByKeyword(std::string_view options) {
  return config::IsCitectEdition(options) ? CitectEdition() : StandardEdition();
}

}  // namespace kz::shell
