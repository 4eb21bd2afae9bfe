#include "shell/module_file.h"

#include "platform/process.h"
#include "shell/com.h"

#ifndef KZ_LIBDIR_FROM_BINDIR
#define KZ_LIBDIR_FROM_BINDIR "../lib"
#endif

namespace kz::shell {

std::string ModuleFileFor(const std::filesystem::path& program_dir,
                          const std::filesystem::path& libdir_from_bindir) {
  const auto beside = program_dir / com::kModuleFileName;
  std::error_code ec;
  if (std::filesystem::exists(beside, ec)) return beside.string();
  const auto installed =
      (program_dir / libdir_from_bindir / com::kModuleFileName).lexically_normal();
  if (std::filesystem::exists(installed, ec)) return installed.string();
  return beside.string();
}

std::string UnregisteredModuleFile() {
  return ModuleFileFor(platform::HostProgramDirectory(), KZ_LIBDIR_FROM_BINDIR);
}

}  // namespace kz::shell
