// A stand-in CitectSCADA installation for tests, demos and benchmarks: the registry values under
// HKEY_LOCAL_MACHINE, citect.ini with the user folder, master.dbf in the user folder, and per
// project trend.dbf and variable.dbf with CitectSCADA's own field lists and widths. Written
// through the platform stand-ins, so a TempEnv (or $KZDLOGSRV_WINDIR / $KZDLOGSRV_REGISTRY)
// decides where the registry and citect.ini go. Also a writer of small station project files.
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

// Tables with CitectSCADA's field lists (all character fields).
bool WriteTrendTable(const std::filesystem::path& path, const std::vector<CitectTrend>& trends);
bool WriteVariableTable(const std::filesystem::path& path,
                        const std::vector<CitectVariable>& variables);
// `count` rows made by `row(i)`, for tables too large to hold in memory.
bool WriteVariableTable(const std::filesystem::path& path, std::size_t count,
                        const std::function<CitectVariable(std::size_t)>& row);

// A station project file (*.kpj) in the profile format, sections in the order first used.
class KpjFile {
 public:
  KpjFile& Zel(const std::string& station, int number);       // "Zel Stations", "Zel: <name>"
  KpjFile& Brenmark(const std::string& station, int number);  // "Brenmark", "Brenmark: <name>"
  // A "Quenda" line "<station>,<datalog>" and the "Quenda:<datalog>" entries (tag names, and
  // entries with a colon that are not tags).
  KpjFile& Datalog(const std::string& station, const std::string& datalog,
                   const std::vector<std::string>& entries);
  // The next numbered key of a list section, or a named key.
  KpjFile& Add(const std::string& section, const std::string& value);
  KpjFile& Set(const std::string& section, const std::string& key, const std::string& value);

  std::string Text() const;
  bool Write(const std::filesystem::path& path) const;

 private:
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
  std::vector<std::pair<std::string, std::string>>& Section(const std::string& name);
};

}  // namespace kz::test
