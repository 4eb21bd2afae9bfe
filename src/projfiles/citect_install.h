// Look-ups of the CitectSCADA installation: the newest installed version, version comparison,
// the Citect user folder below which each Citect project has a folder of its own, and the paths
// of the project tables. The registry is the stand-in's HKEY_LOCAL_MACHINE (platform/registry.h);
// "citect.ini" is a bare profile name, so it is read from the Windows-directory stand-in.
#pragma once

#include <string>
#include <string_view>

#include "ui/ui_service.h"

namespace kz::projfiles {

// HKEY_LOCAL_MACHINE keys, and the notation in which messages name them.
inline constexpr std::string_view kScadaInstallsKey = "Software\\Citect\\SCADA Installs";
inline constexpr std::string_view kLegacyInstallKey = "Software\\Citect\\Citect HMI/SCADA\\6.10";
inline constexpr std::string_view kRegistryNotationRoot = "\\LocalMachine\\";

// The newest version under SCADA Installs whose subkey name is made of digits and points
// ("7.10"); else "6.10" when the legacy key exists; else empty.
std::string GetCitectVersion();

// -1, 0 or 1 comparing the first three '.'-separated numbers as whole numbers ("7.10" is above
// "7.1" and "7.2"; a missing number counts 0, so "7" equals "7.0"); texts equal without case
// compare 0.
int CompareVersions(std::string_view a, std::string_view b);

// The user folder of a version: citect.ini's [CTEDIT] USER for versions before 7.10 (and an
// empty version); from 7.10 on, USER of the ini file that the version's DefaultINIPath names.
// Empty when not found; the registry failures are shown through `ui` ("Failed to open registry
// item..." and "DefaultINIPath not found in registry.").
std::string GetCitectUserFolder(std::string_view version, ui::UiService& ui);

// [CTEDIT] USER of the Windows directory's citect.ini (empty when missing).
std::string CitectUserFolderFromIni();

// The user folder, '/', the project name and '/'.
std::string CitectProjectFolder(std::string_view user_folder, std::string_view project);

}  // namespace kz::projfiles
