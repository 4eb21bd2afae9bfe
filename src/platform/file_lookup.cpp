#include "platform/file_lookup.h"

#include <sys/stat.h>

#include <algorithm>
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

  std::filesystem::path current = given.root_path();
  for (const auto& part : given.relative_path()) {
    const std::string name = part.string();
    if (name.empty() || name == "." || name == "..") {
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
    if (matches.empty()) return given;
    current /= *std::min_element(matches.begin(), matches.end());
  }
  return current;
}

}  // namespace kz::platform
