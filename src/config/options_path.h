// Where the configure operation finds the configuration file, worked out from the host's options
// text. Shared by the module shell's Configure and the host's `config show --options`.
#pragma once

#include <string>
#include <string_view>

namespace kz::config {

inline constexpr std::string_view kStandardConfigFile = "kzdlogrcv.cfg";
inline constexpr std::string_view kCitectConfigFile = "kzcitectsrv.cfg";
inline constexpr std::string_view kCitectOption = "product=citect";

// True when the options select the Citect edition's files ("product=citect", case-sensitive
// substring).
bool IsCitectEdition(std::string_view options);

// The configuration file's path:
// - with "File=" in the options (case-sensitive, first occurrence): the text after it, up to the
//   first blank outside double quotes that is followed (after further blanks) by one of the
//   keywords "product=", "type=", "page=", "File="; without such a blank, the whole rest. Blanks
//   are trimmed from both ends, then one pair of enclosing double quotes is removed. The result
//   may be empty ("File=" followed by nothing).
// - otherwise: `windows_dir` joined with kzcitectsrv.cfg (Citect edition) or kzdlogrcv.cfg;
//   the empty text when `windows_dir` is empty.
std::string ConfigPathFromOptions(std::string_view options, std::string_view windows_dir);

}  // namespace kz::config
