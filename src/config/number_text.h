// Numbers in configuration files as the server's C runtime reads and writes them.
#pragma once

#include <cstdint>
#include <string_view>

namespace kz::config {

// C atoi/atol of a 32-bit int: leading blanks, an optional sign, then decimal digits; anything
// else ends the number, no digits give 0, values beyond the 32-bit range stop at its limit.
std::int32_t ParseLeadingInt(std::string_view text);

}  // namespace kz::config
