#include "projfiles/citect_install.h"

#include <charconv>

#include "config/get_field.h"
#include "config/number_text.h"
#include "platform/ascii_case.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system_dirs.h"

namespace kz::projfiles {
namespace {

constexpr std::size_t kIniValueSize = 1024;

std::string UserFolderOf(std::string_view ini) {
  return platform::GetPrivateProfileString("CTEDIT", "USER", "", kIniValueSize, ini);
}

bool IsVersionName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if ((c < '0' || c > '9') && c != '.') return false;
  }
  return true;
}

// atof of a name made of digits and points: the longest leading decimal number, 0 when none.
double VersionValue(std::string_view name) {
  double value = 0;
  std::from_chars(name.data(), name.data() + name.size(), value, std::chars_format::fixed);
  return value;
}

}  // namespace

std::string CitectUserFolderFromIni() {
  return UserFolderOf("citect.ini");
}

std::string CitectProjectFolder(std::string_view user_folder, std::string_view project) {
  return platform::JoinPath(user_folder, project) + "/";
}

std::string GetCitectVersion() {
  const auto hive = platform::Registry::Load(platform::Hive::LocalMachine);
  if (hive.KeyExists(kScadaInstallsKey)) {
    std::string kept;
    double kept_value = 0;
    for (const auto& name : hive.Subkeys(kScadaInstallsKey)) {
      if (!IsVersionName(name)) continue;
      const double value = VersionValue(name);
      if (kept.empty() || value > kept_value) {
        kept = name;
        kept_value = value;
      }
    }
    return kept;
  }
  return hive.KeyExists(kLegacyInstallKey) ? "6.10" : "";
}

int CompareVersions(std::string_view a, std::string_view b) {
  if (platform::EqualsNoCase(a, b)) return 0;
  for (int field = 1; field <= 3; ++field) {
    const int x = config::ParseLeadingInt(config::GetField(a, '.', field, 20));
    const int y = config::ParseLeadingInt(config::GetField(b, '.', field, 20));
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

std::string GetCitectUserFolder(std::string_view version, ui::UiService& ui) {
  if (version.empty() || CompareVersions(version, "7.10") < 0) return CitectUserFolderFromIni();
  const std::string key =
      std::string(kScadaInstallsKey) + "\\" + std::string(version) + "\\CitectSCADA";
  const auto hive = platform::Registry::Load(platform::Hive::LocalMachine);
  if (!hive.KeyExists(key)) {
    ui.MessageBox("Failed to open registry item" + std::string(kRegistryNotationRoot) + key + "\\",
                  "", ui::Buttons::Ok, ui::Icon::None);
    return {};
  }
  const auto value = hive.GetValue(key, "DefaultINIPath");
  const std::string ini = value ? value->text : std::string();
  if (ini.empty()) {
    ui.MessageBox("DefaultINIPath not found in registry.", "", ui::Buttons::Ok, ui::Icon::None);
    return {};
  }
  return UserFolderOf(ini);
}

}  // namespace kz::projfiles
