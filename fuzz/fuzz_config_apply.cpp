// `config apply` over arbitrary desired-state bytes: the JSON reader refuses what does not fit
// the schema, the editor's checks refuse what they refuse, and neither may crash. A refusal
// always names its path and says why; an accepted state is saved (to a batch that is never
// committed) and checked again, and applying it to a second copy of the model gives the same
// changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/desired_json.h"
#include "config/cfg_mgr.h"
#include "editor/config_apply.h"
#include "platform/profile.h"

namespace {

constexpr std::string_view kNowhere = "/nonexistent-kzdlogsrv-fuzz/x.cfg";

constexpr std::string_view kBase =
    "[general]\r\nmode=0\r\nset sta clock=1\r\nclock tolerance=60\r\n"
    "[transfers]\r\n0=xfer0\r\n1=xfer1\r\n"
    "[xfer0]\r\nstation number=12\r\nID=1\r\ndatalog file=a.kdl\r\ndata file=/d/a.csv\r\n"
    "[xfer1]\r\nstation number=12\r\nID=1\r\ndatalog file=b.kdl\r\ndata file=/d/A.csv\r\n"
    "[ports]\r\n0=UDP1658\r\n1=COM1\r\n"
    "[scheduled]\r\n0=1,0,1,0,0,12,0,`North`,,COM1,1\r\n";

void Load(kz::config::CCfgMgr& model) {
  model.Load(kz::platform::ProfileDocument(kBase));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kz::editor::DesiredConfig desired;
  std::vector<kz::editor::ConfigProblem> problems;
  if (!kz::cli::DesiredFromJson(text, desired, problems)) {
    if (problems.empty()) std::abort();
    return 0;
  }
  kz::config::CCfgMgr model;
  Load(model);
  const auto result = kz::editor::ApplyDesired(model, desired, {});
  for (const auto& problem : result.problems) {
    if (problem.path.empty() || problem.message.empty()) std::abort();
  }
  if (!result.ok()) return 0;

  kz::config::CCfgMgr again;
  Load(again);
  if (kz::editor::ApplyDesired(again, desired, {}).changes != result.changes) std::abort();

  kz::platform::ProfileBatch saved(kNowhere);
  model.Save(saved);
  kz::editor::CheckConfig(model, "");
  return 0;
}
