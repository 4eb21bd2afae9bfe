#include "platform/tool_install.h"

#include "platform/profile.h"

namespace kz::platform {

std::string ToolInstallDirectory(std::size_t buffer_size) {
  return GetPrivateProfileString("Installation Directory", "Path32", "", buffer_size,
                                 "velmora.ini");
}

}  // namespace kz::platform
