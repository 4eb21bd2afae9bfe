// The trend configuration's surroundings for tests: where it finds kztrendvars.dbf, a stand-in
// Citect installation with the project "Water", and stored bindings.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "citect/record/citect_trend_tag.h"
#include "support/citect_install.h"

namespace kz::test {

// Sets velmora.ini's Path32 (in the Windows directory of the current TempEnv) to root/tool,
// creates root/tool/Projects, writes below root/citect an installation whose project "Water"
// has `water_trends`, and root/Site.kpj whose station "North" has datalog "Hourly" with the tag
// "Flow". Returns the path of the trend tag store; false in `ok` when something could
// not be written.
std::filesystem::path WriteTrendSetup(const std::filesystem::path& root,
                                      const std::vector<CitectTrend>& water_trends, bool& ok);

// A binding of project "Water": the trend tag, fed by tag "Flow" of datalog "Hourly" of station
// "North" in `kpj`.
citect::CCitectTrendTag WaterBinding(const std::string& trend_var, const std::string& kpj);

// Writes the bindings as the trend tag store at `path`; false when it could not.
bool SaveBindings(const std::filesystem::path& path,
                  const std::vector<citect::CCitectTrendTag>& tags);

}  // namespace kz::test
