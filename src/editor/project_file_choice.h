// Choosing a station project file (*.kpj) for Add From File: the file dialog opens in the folder
// of the last project file chosen (the application profile remembers it), else in the station
// configuration tool's "Projects" folder, and remembers the folder of the file chosen.
#pragma once

#include <optional>
#include <string>

#include "ui/ui_service.h"

namespace kz::editor {

inline constexpr const char* kProjectSettingsSection = "settings";
inline constexpr const char* kLastProjectFilePathEntry = "last project file path";

inline constexpr const char* kProjectFileTitle = "Select Project File";
inline constexpr const char* kProjectFileFilter =
    "Stationcraft Project Files (*.kpj)|*.kpj|All Files (*.*)|*.*||";

// The folder the dialog opens in ("" for none).
std::string ProjectFileFolder();

// Shows the dialog; nullopt when the user cancels. On a choice, stores its folder (ending in
// '/') as the last project file path.
std::optional<std::string> ChooseProjectFile(ui::UiService& ui);

}  // namespace kz::editor
