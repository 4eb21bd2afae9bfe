// Where the Windows folders live on this platform.
#pragma once

#include <filesystem>
#include <string>

#include "platform/status.h"

namespace kz::platform {

// $KZDLOGSRV_WINDIR, else $XDG_CONFIG_HOME/kzdlogsrv, else ~/.config/kzdlogsrv.
// Not created here; writers create it on first write (CreateWindowsDirectory).
std::filesystem::path WindowsDirectory();
bool CreateWindowsDirectory();

// $KZDLOGSRV_REGISTRY, else $XDG_CONFIG_HOME/kzdlogsrv/registry (likewise ~/.config).
std::filesystem::path RegistryDirectory();

// A folder private to this user (mode 0700, owned by the user, not a symbolic link) for the status
// block and the server channels: $XDG_RUNTIME_DIR/kzdlogsrv; without that variable, a folder in
// the user's own home that no other user can create first, $XDG_STATE_HOME/kzdlogsrv/run-<host>
// (else ~/.local/state/...; the host name keeps machines that share a home apart). Created when
// missing. A failure when no such folder can be had (it exists but belongs to someone else, is
// open to others or is a link, or there is no home); the Status says which.
Result<std::filesystem::path> RuntimeDirectory();

// Joins a folder and a name the way the Windows code joins with "\\": one '/' between them unless
// the folder already ends with one. An empty folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace kz::platform
