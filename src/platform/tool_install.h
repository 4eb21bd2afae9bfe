// Where the maker's station configuration tool is installed: the "Path32" key of section
// "Installation Directory" of its velmora.ini, in the Windows directory. The launcher looks for
// the server below it, the trend configuration for its "Projects" folder.
#pragma once

#include <cstddef>
#include <string>

namespace kz::platform {

// The folder as recorded, or empty when the tool is not installed. `buffer_size` is the caller's
// buffer (the value is cut to buffer_size - 1 bytes, as the profile call cuts it).
std::string ToolInstallDirectory(std::size_t buffer_size);

}  // namespace kz::platform
