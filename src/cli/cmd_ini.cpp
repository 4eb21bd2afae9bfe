#include "cli/commands.h"

namespace kz::cli {

void AddIniCommands(CLI::App& /*app*/, int& /*exit_code*/) {}

}  // namespace kz::cli
