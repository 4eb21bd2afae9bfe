// How a client transfer's records are stored, as the transfer dialogs show it: the new-file
// methods, the weekday names, and the one-line summary beside "Store records in file:". Shared by
// the Edit Transfer and Add From File dialogs and the Record Storage Options dialog.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kz::editor {

// New file creation methods of a record storage file.
inline constexpr int kStoreSameFile = 0;
inline constexpr int kStoreDaily = 1;
inline constexpr int kStoreWeekly = 2;
inline constexpr int kStoreMonthly = 3;

inline constexpr std::array<const char*, 4> kStoreModeNames = {"Always Use the Same File", "Daily",
                                                               "Weekly", "Monthly"};
// Weekly files start on a weekday, 0 Sunday to 6 Saturday.
inline constexpr std::array<const char*, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

inline constexpr int kSecondsPerDay = 24 * 60 * 60;

// Seconds after midnight folded into one day (a value from a file may lie outside it).
int WrapTimeOfDay(int seconds);

// "%I:%M:%S %p" of a time of day in the C locale ("10:30:00 AM"), whatever the user's locale.
std::string FormatTimeOfDay(int seconds);

// The summary of a storage setting: the path and when new files start (`synch` is the daily
// start time for Daily, the weekday for Weekly). nullopt means "leave the text as it is": no
// method chosen (-1 or unknown), or no path for the methods that show nothing else.
std::optional<std::string> RecStorageSummary(int mode, std::string_view path, int synch);

}  // namespace kz::editor
