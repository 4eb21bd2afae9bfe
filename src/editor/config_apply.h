// Headless configuration: a desired configuration (DesiredConfig) applied to a loaded model with
// exactly the editor's protection, and the editor's refusals found in a stored configuration.
//
// ApplyDesired drives the editor's own presenters on the model as a person would: the General
// page is filled, its controls set and its store-and-validate run; transfers go through Add
// Custom / Edit and the Edit Transfer and Record Storage Options dialogs; ports through Add and
// the UDP/TCP and COM dialogs; OK through the sheet, which asks about a configuration without
// live ports. Their message boxes are recorded (RecordingUi) and become problems. Records that
// the desired state leaves as they are run through no check, so a stored file with faults of its
// own still applies; CheckConfig reports those.
//
// Records are matched, not compared by position: transfers by station number and ID, ports by
// their entry text ("COM1", "UDP1658"), scheduled transfers by their whole content. A desired
// record without a match is added, a current one without a match is removed.
#pragma once

#include <string>
#include <vector>

#include "editor/desired_config.h"

namespace kz::config {
class CCfgMgr;
}

namespace kz::editor {

// One refusal or warning: where in the desired JSON (or in `config show --json` of the stored
// file) it lies, e.g. `transfers[3]` or `general["clock tolerance"]`, and what the editor says.
struct ConfigProblem {
  std::string path;
  std::string message;
  bool operator==(const ConfigProblem&) const = default;
};
// "<path>: <message>" on one line (the message's line breaks become blanks).
std::string FormatProblem(const ConfigProblem& problem);

struct ApplyOptions {
  std::string options;          // the configure operation's options text: "product=citect" picks
                                // the Citect edition's pages
  bool allow_no_ports = false;  // answers Yes to "No communications port have been configured"
};

struct ApplyResult {
  std::vector<ConfigProblem> problems;  // any: nothing may be saved
  std::vector<ConfigProblem> warnings;  // shown, never refusing
  // What saving the model would change, one line each: records added, changed (field old ->
  // new), removed, general keys changed. Empty: the model is as it was, nothing to save.
  std::vector<std::string> changes;
  bool ok() const { return problems.empty(); }
};

// Makes `model` (loaded, not owned) the desired configuration. When the result holds problems the
// model is in an unspecified edited state and must be discarded, never saved.
ApplyResult ApplyDesired(config::CCfgMgr& model, const DesiredConfig& desired,
                         const ApplyOptions& options);

// What the editor refuses on OK in the stored configuration: the General page's checks, each
// live transfer through Edit Transfer's OK (pairs and data files used twice, station numbers out
// of range), each live port through its dialog's OK, record storage settings no dialog can
// hold, texts the file cannot keep, scheduled transfers on ports that are not live. The model
// may be changed by the checks and must not be saved.
std::vector<ConfigProblem> CheckConfig(config::CCfgMgr& model, const std::string& options);

}  // namespace kz::editor
