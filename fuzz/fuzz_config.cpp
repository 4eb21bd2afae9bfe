// The whole configuration load over arbitrary file bytes, then a save and a second load: the
// saved file must hold every live record the first load found.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/cfg_mgr.h"
#include "platform/profile.h"

namespace {

// A batch on a path that cannot exist starts from an empty text and is never committed.
constexpr std::string_view kNowhere = "/nonexistent-kzdlogsrv-fuzz/x.cfg";

struct Counts {
  int transfers, ports, scheduled;
  bool operator==(const Counts&) const = default;
};

Counts Live(const kz::config::CCfgMgr& cfg) {
  Counts c{cfg.GetConnectionCount(), 0, 0};
  for (int i = cfg.GetFirstPort(); i != -1; i = cfg.GetNextPort(i)) ++c.ports;
  for (int i = cfg.GetFirstScheduledXfer(); i != -1; i = cfg.GetNextScheduledXfer(i)) ++c.scheduled;
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kz::platform::ProfileDocument file(
      std::string_view(reinterpret_cast<const char*>(data), size));
  kz::config::CCfgMgr first;
  first.Load(file);

  kz::platform::ProfileBatch saved(kNowhere);
  first.Save(saved);  // mode 1 drops the transfers here, so count after the save
  const Counts expected = Live(first);

  kz::config::CCfgMgr second;
  second.Load(saved.Document());
  if (!(Live(second) == expected)) std::abort();
  return 0;
}
