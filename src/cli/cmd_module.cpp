#include "cli/commands.h"

namespace kz::cli {

void AddModuleCommands(CLI::App& /*app*/, int& /*exit_code*/) {}

}  // namespace kz::cli
