// The one-line summary of how a client transfer's records are stored, beside "Store records in
// file:": shared by the Edit Transfer and Add From File dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/new_file_mode.h"

namespace kz::editor {

// "%I:%M:%S %p" of a time of day in the C locale ("10:30:00 AM"), whatever the user's locale.
std::string FormatTimeOfDay(int seconds);

// The summary of a storage setting: the path and when new files start (`synch` is the daily
// start time for Daily, the weekday for Weekly). nullopt means "leave the text as it is": no
// method chosen (-1 or unknown), or no path for the methods that show nothing else.
std::optional<std::string> RecStorageSummary(int mode, std::string_view path, int synch);

}  // namespace kz::editor
