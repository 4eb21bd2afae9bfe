#include "cli/commands.h"

namespace kz::cli {

void AddConfigCommands(CLI::App& /*app*/, int& /*exit_code*/) {}

}  // namespace kz::cli
