#include "projfiles/kpj_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/ascii_case.h"
#include "platform/file_lookup.h"

namespace kz::projfiles {
namespace {

constexpr std::string_view kExtension = ".kpj";

bool HasKpjExtension(std::string_view name) {
  return name.size() >= kExtension.size() &&
         platform::EqualsNoCase(name.substr(name.size() - kExtension.size()), kExtension);
}

}  // namespace

std::string FolderWithSlash(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

bool ProjectFileNameLess(std::string_view a, std::string_view b) {
  const auto folded_less = [](char x, char y) {
    return static_cast<unsigned char>(platform::AsciiFold(x)) <
           static_cast<unsigned char>(platform::AsciiFold(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less)) {
    return true;
  }
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less)) {
    return false;
  }
  return a < b;
}

std::vector<std::string> ProjectFileNames(std::string_view folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(platform::ResolveCase(folder), ec), end;
       !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!HasKpjExtension(name)) continue;
    // Follows links: a link to a project file counts, a folder named *.kpj does not.
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return ProjectFileNameLess(a, b); });
  return names;
}

}  // namespace kz::projfiles
