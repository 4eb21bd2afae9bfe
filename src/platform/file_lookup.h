// Windows file systems ignore letter case; names that come from Windows-made data (Citect
// project folders and tables, station project file paths, ini files) must still find their files.
#pragma once

#include <filesystem>
#include <string_view>

namespace kz::platform {

// The exact path when it exists; otherwise each component matched without regard to ASCII case
// (the first match in sorted order when several differ only in case). A last component that
// matches nothing names a file yet to be created: it is kept as given, in the folders found. When
// a folder matches nothing the path is returned unchanged, so an open fails as it would have.
std::filesystem::path ResolveCase(std::string_view path);

}  // namespace kz::platform
