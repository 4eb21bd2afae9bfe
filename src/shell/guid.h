// GUIDs as the registry writes them: "{6D45C34E-6429-11D6-8835-0050BA580AEB}".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/com.h"

namespace kz::shell {

// Upper-case hex digits in braces.
std::string FormatGuid(const com::GUID& guid);
// The braced form with hex digits of either case; nullopt for anything else.
std::optional<com::GUID> ParseGuid(std::string_view text);

}  // namespace kz::shell
