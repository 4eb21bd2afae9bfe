// Tag verification: checks the whole trend tag list against itself and the station project files
// and describes each problem as one line of text. It never changes a record and shows no window,
// so the trend configuration dialog (which shows its phases in the progress dialog) and the
// host's `trend verify` run the same checks.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "citect/record/citect_trend_tag.h"
#include "projfiles/citect_data_mgr.h"

namespace kz::citect {

// The phases, in the order they are announced.
inline constexpr std::string_view kVerifyingTags = "Verifying tags...";
inline constexpr std::string_view kBuildingLookup = "Building datalog tag lookup table...";
inline constexpr std::string_view kReadingProjectFiles = "Reading project files...";
inline constexpr std::string_view kCheckingTagNames = "Checking tag names...";

// Receives each phase as it starts, and "Checking <file>/<station>/<datalog>..." for each datalog.
using VerifyStatus = std::function<void(std::string_view status)>;

// The warnings of `tags`, in order: record by record, its incompleteness, expression and
// duplicate warnings; then the tag names that their datalogs lack, datalog by datalog in the
// order each first occurs among the complete records. `data` reads (and caches) the datalog tag
// names of the project files; a file that cannot be read defines none. `status` may be empty.
std::vector<std::string> VerifyTags(const CCitectTrendTagArray& tags,
                                    projfiles::CCitectDataMgr& data,
                                    const VerifyStatus& status = {});

}  // namespace kz::citect
