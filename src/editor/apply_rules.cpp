// Paths, texts and the rules ApplyDesired and CheckConfig share.
#include <algorithm>

#include "config/cfg_mgr.h"
#include "editor/apply_steps.h"
#include "editor/new_file_mode.h"
#include "platform/ascii_case.h"

namespace kz::editor {
namespace {

// The server's read buffers of a transfer's texts: 350 bytes.
constexpr std::size_t kTransferTextChars = 349;

}  // namespace

std::string FormatProblem(const ConfigProblem& problem) {
  std::string message = problem.message;
  std::replace(message.begin(), message.end(), '\n', ' ');
  return problem.path + ": " + message;
}

std::string ItemPath(std::string_view list, std::size_t index) {
  return std::string(list) + "[" + std::to_string(index) + "]";
}

std::string FieldPath(std::string_view base, std::string_view key) {
  return std::string(base) + "[\"" + std::string(key) + "\"]";
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

void AppendChange(std::string& line, std::string_view key, const std::string& was,
                  const std::string& now) {
  if (was != now) line += " " + Quoted(key) + " " + was + " -> " + now;
}

std::string LastMessage(const RecordingUi& ui) {
  return ui.boxes.empty() ? std::string() : ui.boxes.back().text;
}

std::optional<std::string> StoredTextProblem(std::string_view text, std::size_t max_chars) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    return "Holds a line break, which the configuration file cannot hold.";
  }
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v'; };
  if (!text.empty() && (blank(text.front()) || blank(text.back()))) {
    return "Begins or ends with a blank, which reading the configuration file drops.";
  }
  if (text.size() >= 2 && text.front() == text.back() && (text.front() == '"' || text.front() == '\'')) {
    return "Is enclosed in quotes, which reading the configuration file removes.";
  }
  if (text.size() > max_chars) {
    return "Is longer than the " + std::to_string(max_chars) + " characters the server reads.";
  }
  return std::nullopt;
}

std::optional<FieldProblem> StorageSettingProblem(int new_file_mode, int synch) {
  if (new_file_mode < 0 || new_file_mode >= static_cast<int>(kNewFileModeNames.size())) {
    return FieldProblem{"new file mode",
                        "Is none of the \"Create new files:\" choices (0 Always Use the Same File, "
                        "1 Daily, 2 Weekly, 3 Monthly)."};
  }
  if (new_file_mode == kNewFileDaily) {
    if (synch < 0 || synch >= kSecondsPerDay) {
      return FieldProblem{"new file synch mode",
                          "Is no time of day for daily files (0 to 86399 seconds after midnight)."};
    }
  } else if (synch < -1 || synch >= static_cast<int>(kWeekdayNames.size())) {
    return FieldProblem{"new file synch mode",
                        "Is no \"Starting:\" weekday (0 Sunday to 6 Saturday, or -1 for none)."};
  }
  return std::nullopt;
}

void TransferValueProblems(const config::CConnectionCfg& record, const std::string& path,
                           std::vector<ConfigProblem>& problems) {
  if (auto bad = StorageSettingProblem(record.GetNewFileMode(), record.GetNewFileSynchMode())) {
    problems.push_back({FieldPath(path, bad->key), std::move(bad->message)});
  }
  if (auto bad = StoredTextProblem(record.GetDatalogFile(), kTransferTextChars)) {
    problems.push_back({FieldPath(path, "datalog file"), std::move(*bad)});
  }
  if (auto bad = StoredTextProblem(record.GetDataFile(), kTransferTextChars)) {
    problems.push_back({FieldPath(path, "data file"), std::move(*bad)});
  }
}

std::unordered_set<std::string> LivePortTexts(const config::CCfgMgr& model) {
  std::unordered_set<std::string> texts;
  for (int i = model.GetFirstPort(); i != -1; i = model.GetNextPort(i)) {
    texts.insert(platform::AsciiLower(model.GetPort(i)->EntryText()));
  }
  return texts;
}

std::optional<std::string> ScheduledPortProblem(const std::unordered_set<std::string>& live,
                                                std::string_view port) {
  if (live.count(platform::AsciiLower(port))) return std::nullopt;
  return "The port " + Quoted(port) + " is none of the live ports of the configuration.";
}

}  // namespace kz::editor
