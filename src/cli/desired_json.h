// The desired configuration of `config apply` read from JSON: the schema `config show --json`
// prints. Anything that does not fit it (not JSON, unknown keys, wrong types, numbers beyond their
// field's type) is refused before any editor check runs, one problem per fault, with its JSON
// path.
#pragma once

#include <string_view>
#include <vector>

#include "editor/config_apply.h"
#include "editor/desired_config.h"

namespace kz::cli {

// Fills `desired` from `text`; false with the faults in `problems` when it does not fit.
bool DesiredFromJson(std::string_view text, editor::DesiredConfig& desired,
                     std::vector<editor::ConfigProblem>& problems);

}  // namespace kz::cli
