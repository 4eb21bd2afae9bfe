// Where the host and the stand-in server find libkzdlogsrv.so when no registration names it:
// beside the program in a build tree, else in the library folder of the prefix the program is
// installed in (bin/ -> lib/<multiarch>/, fixed when the programs are built).
#pragma once

#include <filesystem>
#include <string>

namespace kz::shell {

// The module beside `program_dir` when that file exists, else the one in `libdir_from_bindir`
// (relative to `program_dir`) when that exists, else the one beside (so an error names it).
std::string ModuleFileFor(const std::filesystem::path& program_dir,
                          const std::filesystem::path& libdir_from_bindir);

// ModuleFileFor the running program's folder and the library folder of the installation.
std::string UnregisteredModuleFile();

}  // namespace kz::shell
