#include "support/trend_setup.h"

#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"

namespace kz::test {

std::filesystem::path WriteTrendSetup(const std::filesystem::path& root,
                                      const std::vector<CitectTrend>& water_trends, bool& ok) {
  ok = platform::WritePrivateProfileString("Installation Directory", "Path32",
                                           (root / "tool").string(), "velmora.ini");
  std::error_code ec;
  std::filesystem::create_directories(root / "tool/Projects", ec);
  CitectInstall install;
  install.user_folder = root / "citect/User";
  install.projects = {{"Water", "", water_trends, {}}};
  KpjProject site;
  site.stations = {{"North", KpjStationList::kZel, 1, {"Hourly"}}};
  site.datalogs = {{"Hourly", {}, {"Flow"}}};
  ok = ok && !ec && WriteCitectInstall(install) && WriteKpjProject(root / "Site.kpj", site);
  return root / "tool/Projects/kztrendvars.dbf";
}

citect::CCitectTrendTag WaterBinding(const std::string& trend_var, const std::string& kpj) {
  // In the record's field order: tag, datalog, station, project file, trend tag, project.
  return {"Flow", "Hourly", "North", kpj, trend_var, "Water", ""};
}

bool SaveBindings(const std::filesystem::path& path,
                  const std::vector<citect::CCitectTrendTag>& tags) {
  ScriptedUi ui;
  projfiles::CCitectDataMgr mgr(ui);
  for (const auto& t : tags) mgr.m_tags.Add().CopyFrom(t);
  return mgr.ReadWrite(path.string(), true) == projfiles::kDataOk;
}

}  // namespace kz::test
