// kz_citect_sample DIR: writes a small stand-in CitectSCADA installation into DIR with paths
// relative to DIR (samples/citect/ is made with it): the registry and Windows-directory
// stand-ins, two Citect projects with their tables, a station project file and a
// kztrendvars.dbf binding trend tags to it. Run the host from DIR with
// KZDLOGSRV_WINDIR=windows KZDLOGSRV_REGISTRY=registry.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "support/citect_install.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"

namespace {

bool Bind(kz::projfiles::CCitectDataMgr& mgr, const char* project, const char* trend,
          const char* station, const char* datalog, const char* tag) {
  auto& t = mgr.m_tags.Add();
  t.m_strCitectProj = project;
  t.m_strTrendVar = trend;
  t.m_strProjFile = "Projects/Site.kpj";
  t.m_strStaName = station;
  t.m_strDatalog = datalog;
  t.m_strTagName = tag;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::fprintf(stderr, "usage: kz_citect_sample DIR\n");
    return argc == 2 ? 0 : 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  if (ec || chdir(argv[1]) != 0) {
    std::fprintf(stderr, "kz_citect_sample: %s: cannot use this folder\n", argv[1]);
    return 1;
  }
  setenv("KZDLOGSRV_WINDIR", "windows", 1);
  setenv("KZDLOGSRV_REGISTRY", "registry", 1);

  kz::test::CitectInstall install;
  install.user_folder = "citect/User";
  install.other_versions = {"6.10"};
  install.projects = {
      {"Water",
       "Water treatment",
       {{"PumpFlow", "Pump1_Flow"}, {"TankLevel", "Tank_Level"}, {"Retired", "Old_Tag", true}},
       {{"Pump1_Flow", "North"}, {"Tank_Level", "North"}, {"Old_Tag", "North", true}}},
      {"Power", "Feeder monitoring", {{"FeederLoad", "South_Load"}}, {{"South_Load", "South"}}}};
  bool ok = kz::test::WriteCitectInstall(install);
  ok = ok && kz::platform::WritePrivateProfileString("Installation Directory", "Path32", ".",
                                                     "velmora.ini");
  using kz::test::KpjStationList;
  const kz::test::KpjProject kpj{
      {{"North", KpjStationList::kZel, 12, {"Hourly"}},
       {"South", KpjStationList::kBrenmark, 7, {"Daily"}}},
      {{"Hourly", {}, {"Flow", "Level", "Interval:3600"}}, {"Daily", {}, {"Load"}}}};
  ok = ok && kz::test::WriteKpjProject("Projects/Site.kpj", kpj);
  kz::test::ScriptedUi ui;
  kz::projfiles::CCitectDataMgr mgr(ui);
  Bind(mgr, "Water", "PumpFlow", "North", "Hourly", "Flow");
  Bind(mgr, "Water", "TankLevel", "North", "Hourly", "Level");
  Bind(mgr, "Power", "FeederLoad", "South", "Daily", "Load");
  ok = ok && mgr.ReadWrite("Projects/kztrendvars.dbf", true) == kz::projfiles::kDataOk;
  for (const auto& text : ui.Texts()) std::fprintf(stderr, "kz_citect_sample: %s\n", text.c_str());
  if (!ok) {
    std::fprintf(stderr, "kz_citect_sample: %s: could not write the installation\n", argv[1]);
    return 1;
  }
  return 0;
}
