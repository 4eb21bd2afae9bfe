#include "editor/rec_storage_summary.h"

#include <cstdio>

namespace kz::editor {

std::string FormatTimeOfDay(int seconds) {
  const int t = TimeOfDay(seconds);
  const int hour = t / 3600;
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d %s", hour12, t / 60 % 60, t % 60,
                hour < 12 ? "AM" : "PM");
  return text;
}

std::optional<std::string> RecStorageSummary(int mode, std::string_view path, int synch) {
  const std::string quoted = "'" + std::string(path) + "'";
  switch (mode) {
    case kNewFileSame:
      if (path.empty()) return std::nullopt;
      return "Always use " + quoted;
    case kNewFileDaily:
      return quoted + "\n(Create new files daily at " + FormatTimeOfDay(synch) + ")";
    case kNewFileWeekly: {
      const bool known = synch >= 0 && synch < static_cast<int>(kWeekdayNames.size());
      return quoted + "\n(Create new files weekly starting " +
             (known ? kWeekdayNames[static_cast<std::size_t>(synch)] : "") + ")";
    }
    case kNewFileMonthly:
      if (path.empty()) return std::nullopt;
      return quoted + "\n(Create new files monthly)";
    default:
      return std::nullopt;
  }
}

}  // namespace kz::editor
