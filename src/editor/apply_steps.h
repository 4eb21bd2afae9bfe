// The steps of ApplyDesired and CheckConfig (config_apply.h) and the rules they share. Each step
// drives the editor's presenters on the model of one sheet; the context borrows everything.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "editor/config_apply.h"
#include "editor/recording_ui.h"

namespace kz::config {
class CCfgMgr;
class CConnectionCfg;
class CPortCfg;
class CScheduledXfer;
}  // namespace kz::config

namespace kz::editor {

class CCfgPSheet;

struct ApplyContext {
  config::CCfgMgr& model;
  RecordingUi& ui;
  CCfgPSheet& sheet;
  ApplyResult& result;
  int final_mode;  // the connection mode the model will be saved in
};

// `transfers[3]`, `general["clock tolerance"]`.
std::string ItemPath(std::string_view list, std::size_t index);
std::string FieldPath(std::string_view base, std::string_view key);
// A text as a change line shows it: between double quotes.
std::string Quoted(std::string_view text);
// Appends ` "key" was -> now` to a change line when the two (already formatted) values differ.
void AppendChange(std::string& line, std::string_view key, const std::string& was,
                  const std::string& now);

// The last message box the presenters showed since `ui.boxes` was cleared; "" for none.
std::string LastMessage(const RecordingUi& ui);

// Why a text cannot be stored as given: the file cannot hold line breaks, loses outer blanks and
// one pair of enclosing quotes, and the server reads at most `max_chars`. nullopt when it can.
std::optional<std::string> StoredTextProblem(std::string_view text, std::size_t max_chars);

// Why the record storage settings of a transfer are none the Record Storage Options dialog can
// hold, as {field key, message}; nullopt when they are.
struct FieldProblem {
  const char* key;
  std::string message;
};
std::optional<FieldProblem> StorageSettingProblem(int new_file_mode, int synch);
// Storage settings and texts of a transfer record, each as a problem under `path`.
void TransferValueProblems(const config::CConnectionCfg& record, const std::string& path,
                           std::vector<ConfigProblem>& problems);

// The entry texts of the model's live ports, lower-cased; and why a scheduled transfer's port
// text names none of them (compared without regard to case), or nullopt when it names one.
std::unordered_set<std::string> LivePortTexts(const config::CCfgMgr& model);
std::optional<std::string> ScheduledPortProblem(const std::unordered_set<std::string>& live,
                                                std::string_view port);

// The steps of ApplyDesired. Each adds its change lines to `lines` and its refusals to the result.
void ApplyGeneralControls(ApplyContext& ctx, const DesiredGeneral& desired);
void CheckGeneralLanded(ApplyContext& ctx, const DesiredGeneral& desired);
void ApplyTransfers(ApplyContext& ctx, const std::vector<DesiredTransfer>& desired,
                    std::vector<std::string>& lines);
void ApplyPorts(ApplyContext& ctx, const std::vector<DesiredPort>& desired,
                std::vector<std::string>& lines);
// The desired index of each scheduled transfer the desired state holds, and whether it was added.
struct ScheduledPosition {
  std::size_t index;
  bool added;
};
using ScheduledPositions = std::unordered_map<const config::CScheduledXfer*, ScheduledPosition>;
void ApplyScheduled(ApplyContext& ctx, const std::vector<DesiredScheduled>& desired,
                    std::vector<std::string>& lines, ScheduledPositions& positions);

// The general settings as the model holds them, by kGeneralKeys.
std::array<GeneralValue, kGeneralKeyCount> GeneralSnapshot(const config::CCfgMgr& model);
std::string GeneralValueText(const GeneralValue& value);

// The key of the General page control a refusal focused.
std::size_t GeneralKeyOfControl(int control);

}  // namespace kz::editor
