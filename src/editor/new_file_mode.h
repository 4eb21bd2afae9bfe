// New file creation methods: when the server starts a new data file for a client. The values are
// the indexes of the "Create new files:" list and are stored as such, both in the general
// settings (clients that connect automatically) and in each client transfer. The value that goes
// with them (the "synch mode") is a time of day for daily files and a weekday for weekly ones.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kz::editor {

inline constexpr int kNewFileSame = 0;
inline constexpr int kNewFileDaily = 1;
inline constexpr int kNewFileWeekly = 2;
inline constexpr int kNewFileMonthly = 3;

inline constexpr std::array<const char*, 4> kNewFileModeNames = {"Always Use the Same File",
                                                                 "Daily", "Weekly", "Monthly"};
// Weekdays by their stored value, 0 Sunday to 6 Saturday.
inline constexpr std::array<const char*, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr int kSunday = 0;

inline constexpr std::int32_t kSecondsPerDay = 24 * 60 * 60;

// A stored daily start as the time of day a time picker can show (0 to 86399): a value beyond a
// day runs on into the next one, as a calendar would count it.
constexpr int TimeOfDay(std::int32_t seconds) {
  return static_cast<int>((seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay);
}

// Which of the "Starting:" controls a creation method shows.
struct StartingVisibility {
  bool label = false;
  bool time_picker = false;
  bool weekday_list = false;
};

// Daily files start at a time, weekly ones on a day, the others need neither. No selection (or a
// value that is no method) gives nullopt: the controls stay as they are.
constexpr std::optional<StartingVisibility> StartingVisibilityFor(int new_file_mode) {
  switch (new_file_mode) {
    case kNewFileSame:
    case kNewFileMonthly:
      return StartingVisibility{};
    case kNewFileDaily:
      return StartingVisibility{true, true, false};
    case kNewFileWeekly:
      return StartingVisibility{true, false, true};
    default:
      return std::nullopt;
  }
}

}  // namespace kz::editor
