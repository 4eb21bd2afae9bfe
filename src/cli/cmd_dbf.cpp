#include "cli/commands.h"

namespace kz::cli {

void AddDbfCommands(CLI::App& /*app*/, int& /*exit_code*/) {}

}  // namespace kz::cli
