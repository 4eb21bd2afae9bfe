// Starting programs and finding them: the stand-ins for CreateProcessA and SearchPathA.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace kz::platform {

// Starts the program at `path` with the path itself as argv[0] and no arguments: never through a
// shell, never split at blanks. The program runs in a new session with standard input, output and
// error on /dev/null, so it outlives the caller and holds none of its terminals or pipes. Returns
// the process id, or why it could not be started (a path that is missing or not executable
// included). No descriptor above 2 is inherited, whatever its close-on-exec flag. The
// caller keeps no handle: ended children are reaped by later calls.
Result<pid_t> StartDetached(const std::string& path);

// The folder of the running program (/proc/self/exe); empty when unknown.
std::filesystem::path HostProgramDirectory();

// SearchPathA's search made safe: the host program's folder, the Windows-directory stand-in, then
// each folder of $PATH. Never the current folder, nor an empty or relative $PATH entry (which
// name it or a folder below it), nor a relative Windows directory, nor one of another user
// (root aside) or that anybody may write to. `name` is used as given (no extension added); the
// first regular, executable file wins.
std::optional<std::string> SearchProgram(std::string_view name);

}  // namespace kz::platform
