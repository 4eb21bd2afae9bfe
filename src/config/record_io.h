// One record's section read or written on its own, by path: the per-record ReadWrite that the
// records offer besides the model's whole-file load and save.
#pragma once

#include <string>
#include <string_view>

#include "config/cfg_result.h"
#include "platform/profile.h"

namespace kz::config {

// Record needs Load(const platform::ProfileDocument&, std::string_view section) and
// Save(platform::ProfileBatch&, std::string_view section) const.
// Returns kCfgOk, or kCfgFailed when a save could not replace the file (then it is untouched).
template <class Record>
int ReadWriteRecord(Record& record, const std::string& path, const std::string& section,
                    bool save) {
  if (!save) {
    record.Load(*platform::ProfileSnapshot(path), section);
    return kCfgOk;
  }
  platform::ProfileBatch batch(path);
  record.Save(batch, section);
  return batch.Commit().ok() ? kCfgOk : kCfgFailed;
}

}  // namespace kz::config
