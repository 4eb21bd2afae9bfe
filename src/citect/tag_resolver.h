// Automatic trend tag resolution: binds selected trend tags to datalog tags of stations. A trend
// tag's expression names a Citect variable; the variable's UNIT in variable.dbf is the station;
// the station is looked up in the station project files of one folder; the expression (or the
// part after its first underscore) is looked up among the datalog tags of that station.
// Whatever is not found stays as it was, except the project file, emptied when the station is in
// no project file. Records are only bound, never added or removed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "citect/record/citect_trend_tag.h"
#include "ui/ui_service.h"

namespace kz::citect {

struct ResolveRequest {
  std::string project;                 // the Citect project chosen on the wizard's first page
  std::vector<CCitectTrendTag*> tags;  // the selected records, in the wizard's order; bound in
                                       // place (not owned)
  std::string folder;                  // the station project file folder, ending with '/'
};

inline constexpr int kResolveDone = 0, kResolveFailed = -1, kResolveCancelled = -2;

// Binds the records' station name, project file, datalog and tag name. Shows its progress in a
// CCancelDlg through `ui`; `set_owner_enabled(false)` after the progress window shows and
// `set_owner_enabled(true)` before it closes (the wizard disables itself meanwhile); may be
// empty. kResolveFailed when the Citect user folder is not found (no message) or variable.dbf
// does not open (a message); kResolveCancelled when the user pressed Cancel.
int ResolveTags(ui::UiService& ui, const ResolveRequest& request,
                const std::function<void(bool)>& set_owner_enabled = {});

}  // namespace kz::citect
