#include "platform/file_lookup.h"

#include <sys/stat.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/ascii_case.h"

namespace kz::platform {
namespace {

bool Exists(const std::filesystem::path& p) {
  struct stat st {};
  return lstat(p.c_str(), &st) == 0;
}

}  // namespace

std::filesystem::path ResolveCase(std::string_view path) {
  const std::filesystem::path given(path);
  if (path.empty() || Exists(given)) return given;

  const std::filesystem::path relative = given.relative_path();
  const std::vector<std::filesystem::path> parts(relative.begin(), relative.end());
  const auto named = [](const std::filesystem::path& part) {
    const std::string name = part.string();
    return !name.empty() && name != "." && name != "..";
  };
  const auto last = std::find_if(parts.rbegin(), parts.rend(), named);
  std::filesystem::path current = given.root_path();
  for (auto it = parts.begin(); it != parts.end(); ++it) {
    const std::filesystem::path& part = *it;
    const std::string name = part.string();
    if (!named(part)) {
      current /= part;
      continue;
    }
    std::filesystem::path exact = current / part;
    if (Exists(exact)) {
      current = std::move(exact);
      continue;
    }
    std::vector<std::string> matches;
    std::error_code ec;
    const auto dir = current.empty() ? std::filesystem::path(".") : current;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string candidate = it->path().filename().string();
      if (EqualsNoCase(candidate, name)) matches.push_back(candidate);
    }
    if (matches.empty()) {
      // A file about to be created keeps its name, in the folders that exist in another case.
      if (last != parts.rend() && it == std::prev(last.base())) {
        current /= part;
        continue;
      }
      return given;
    }
    current /= *std::min_element(matches.begin(), matches.end());
  }
  return current;
}

}  // namespace kz::platform
