// The station project files (*.kpj) of one folder, as automatic trend tag resolution takes them.
// The files come from Windows, so the extension matches without letter case; they are taken in
// the order of their names compared without case, so that "the first file" is the same on every
// machine whatever order the directory itself yields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kz::projfiles {

// The folder with a '/' at its end (added unless there is one; the empty text stays empty).
std::string FolderWithSlash(std::string_view folder);

// Names (not paths) of the regular files of `folder` whose name ends with ".kpj" in any letter
// case; folders and other entries are skipped. Ordered by ASCII case-folded name, names that
// differ only in case by their bytes. Empty when the folder cannot be read. The folder itself is
// found without case (platform/file_lookup.h).
std::vector<std::string> ProjectFileNames(std::string_view folder);

// ASCII case-folded comparison first, bytes second: the order of ProjectFileNames.
bool ProjectFileNameLess(std::string_view a, std::string_view b);

}  // namespace kz::projfiles
