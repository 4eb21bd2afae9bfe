// A stand-in CitectSCADA installation for tests, demos and benchmarks: the registry values under
// HKEY_LOCAL_MACHINE, citect.ini with the user folder, master.dbf in the user folder, and per
// project trend.dbf and variable.dbf with CitectSCADA's own field lists and widths. Written
// through the platform stand-ins, so a TempEnv (or $KZDLOGSRV_WINDIR / $KZDLOGSRV_REGISTRY)
// decides where the registry and citect.ini go.
// Nothing here needs GoogleTest: tools/make_citect_sample links it too.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "projfiles/dbase_file.h"

namespace kz::test {

struct CitectTrend {
  std::string name;
  std::string expr;
  bool deleted = false;
};

struct CitectVariable {
  std::string name;
  std::string unit;  // the I/O device; the datalog server takes it as the station name
  bool deleted = false;
};

struct CitectProject {
  std::string name;  // also the folder name below the user folder
  std::string title;
  std::vector<CitectTrend> trends;
  std::vector<CitectVariable> variables;
};

struct CitectInstall {
  std::filesystem::path user_folder;
  // The version subkey under "SCADA Installs". From 7.10 on its CitectSCADA subkey gets
  // DefaultINIPath = ini_path (citect.ini of the Windows directory when empty). "6.10" alone
  // writes the legacy key instead; empty writes no registry values.
  std::string version = "7.10";
  std::vector<std::string> other_versions;  // further subkeys under "SCADA Installs"
  std::filesystem::path ini_path;
  std::vector<CitectProject> projects;
};

// Writes the whole installation. False when any part could not be written.
bool WriteCitectInstall(const CitectInstall& install);

// variable.dbf with CitectSCADA's field list (all character fields).
bool WriteVariableTable(const std::filesystem::path& path,
                        const std::vector<CitectVariable>& variables);
// `count` rows made by `row(i)`, for tables too large to hold in memory.
bool WriteVariableTable(const std::filesystem::path& path, std::size_t count,
                        const std::function<CitectVariable(std::size_t)>& row);

}  // namespace kz::test
