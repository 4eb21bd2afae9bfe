// Runs a program of the build (kzdlogsrv, the stand-in server) as a child process and collects
// what it printed, for tests of the command-line host.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kz::test {

struct CommandResult {
  int exit_code = -1;  // -1 when the program could not be run or was killed
  std::string out;
  std::string err;
};

// The build directory (KZ_BUILD_DIR when set, else the tree these tests were built in) joined
// with a path below it.
std::filesystem::path BuildPath(const std::string& relative);
// The source tree these tests were built from joined with a path below it (samples/...).
std::filesystem::path SourcePath(const std::string& relative);

// Runs argv[0] (a path) with the arguments; standard input is empty. A program that cannot be
// started fails the current test with its path and the reason. The environment is this
// process's (so a TempEnv applies). Gives up after `timeout_ms` and kills the child.
CommandResult RunCommand(const std::vector<std::string>& argv, int timeout_ms = 30000);

// RunCommand of the built kzdlogsrv host.
CommandResult RunHost(const std::vector<std::string>& args, int timeout_ms = 30000);

}  // namespace kz::test
