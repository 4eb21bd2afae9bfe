#include "projfiles/trend_store.h"

#include <unistd.h>

#include <climits>

#include "platform/profile.h"
#include "platform/system_dirs.h"

namespace kz::projfiles {

std::string LocateTrendStore() {
  const std::string tool = platform::GetPrivateProfileString("Installation Directory", "Path32", "",
                                                             1024, "velmora.ini");
  std::string folder;
  if (tool.empty()) {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) folder = cwd;
  } else {
    folder = platform::JoinPath(tool, "Projects");
  }
  return platform::JoinPath(folder, kTrendStoreFileName);
}

}  // namespace kz::projfiles
