#include "projfiles/trend_store.h"

#include <filesystem>
#include <system_error>

#include "platform/system_dirs.h"
#include "platform/tool_install.h"

namespace kz::projfiles {

std::string LocateTrendStore() {
  const std::string tool = platform::ToolInstallDirectory(1024);
  std::string folder;
  if (tool.empty()) {
    std::error_code ec;
    folder = std::filesystem::current_path(ec).string();  // empty when it cannot be had
  } else {
    folder = platform::JoinPath(tool, "Projects");
  }
  return platform::JoinPath(folder, kTrendStoreFileName);
}

}  // namespace kz::projfiles
