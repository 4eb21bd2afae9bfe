// Included by its own folder so that bench/bench_dbase.cpp can compile it in as well.
#include "citect_install.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system_dirs.h"
#include "projfiles/citect_install.h"

namespace kz::test {
namespace {

using projfiles::CDBaseFile;
using projfiles::CFieldNode;

// The fields as "NAME:length" words; all character fields.
std::vector<CFieldNode> Fields(std::string_view list) {
  std::vector<CFieldNode> out;
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t colon = list.find(':', at), space = std::min(list.find(' ', at), list.size());
    const int length = std::stoi(std::string(list.substr(colon + 1, space - colon - 1)));
    out.emplace_back(list.substr(at, colon - at), static_cast<std::uint8_t>(length));
    at = space + 1;
  }
  return out;
}

// Fills the table row by row; `row` returns the values of one record (field order) and whether
// it is deleted. The writer appends live records only, so deleted ones get their flag afterwards.
bool WriteTable(const std::filesystem::path& path, const std::vector<CFieldNode>& fields,
                std::size_t count,
                const std::function<std::vector<std::string>(std::size_t, bool&)>& row) {
  std::filesystem::create_directories(path.parent_path());
  if (CDBaseFile::Create(path, fields) != projfiles::kDbfCreated) return false;
  CDBaseFile table;
  if (!table.Open(path, CDBaseFile::Mode::ReadWrite)) return false;
  std::vector<std::size_t> deleted;
  std::vector<std::string_view> views;
  for (std::size_t i = 0; i < count; ++i) {
    bool is_deleted = false;
    const auto values = row(i, is_deleted);
    views.assign(values.begin(), values.end());
    if (table.AppendRecord(views) != projfiles::kDbfDone) return false;
    if (is_deleted) deleted.push_back(i);
  }
  const std::uint64_t header = table.HeaderLength(), length = table.RecordLength();
  if (!table.Close()) return false;
  if (deleted.empty()) return true;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  for (std::size_t i : deleted) {
    ok = ok && ::pwrite(fd, "*", 1, static_cast<off_t>(header + length * i)) == 1;
  }
  return ::close(fd) == 0 && ok;
}

// Values for the fields a Citect project fills for every tag, so scans read realistic records.
std::vector<std::string> VariableRow(const CitectVariable& v) {
  return {v.name,
          "INT",
          v.unit,
          "%MW100",
          "0",
          "32000",
          "0",
          "100",
          "%",
          "###.#",
          "Process value " + v.name};
}

// CitectSCADA's field lists of master.dbf, trend.dbf and variable.dbf.
constexpr std::string_view kMasterFields =
    "NAME:64 TITLE:64 DATE:12 TIME:12 VERSION:16 REVISION:16 DESC:254 PATH:254 TYPE:16 LIBTYPE:16";
constexpr std::string_view kTrendFields =
    "NAME:79 EXPR:254 TRIG:254 SAMPLEPER:16 PRIV:16 AREA:16 ENG_UNITS:8 FORMAT:11 FILENAME:253 "
    "FILES:4 TIME:32 PERIOD:32 COMMENT:48 TYPE:16 SPCFLAG:4 LSL:16 USL:16 SUBGRPSIZE:8 "
    "XDOUBLEBAR:16 RANGE:16 SDEVIATION:16 STORMETHOD:64 CLUSTER:16 TAGGENLINK:32 EDITCODE:8 "
    "LINKED:1 OID:10 REF1:11 REF2:11 DEADBAND:11 EQUIP:254 ITEM:63 HISTORIAN:6 ENG_ZERO:11 "
    "ENG_FULL:11";
constexpr std::string_view kVariableFields =
    "NAME:79 TYPE:16 UNIT:16 ADDR:254 RAW_ZERO:11 RAW_FULL:11 ENG_ZERO:11 ENG_FULL:11 "
    "ENG_UNITS:8 FORMAT:11 COMMENT:254 EDITCODE:8 LINKED:1 OID:10 REF1:11 REF2:11 DEADBAND:11 "
    "CUSTOM:128 TAGGENLINK:32 CLUSTER:16 HISTORIAN:6 CUSTOM1:254 CUSTOM2:254 CUSTOM3:254 "
    "CUSTOM4:254 CUSTOM5:254 CUSTOM6:254 CUSTOM7:254 CUSTOM8:254 EQUIP:254 ITEM:63 AREA:16 "
    "PRIVILEGE:16 WRITEROLES:254 ARR_SIZE:11";

bool WriteMasterTable(const std::filesystem::path& path,
                      const std::vector<CitectProject>& projects) {
  return WriteTable(path, Fields(kMasterFields), projects.size(), [&](std::size_t i, bool&) {
    return std::vector<std::string>{
        projects[i].name, projects[i].title, "06/12/2026", "12:00:00", "1", "1"};
  });
}

bool WriteTrendTable(const std::filesystem::path& path, const std::vector<CitectTrend>& trends) {
  return WriteTable(path, Fields(kTrendFields), trends.size(), [&](std::size_t i, bool& deleted) {
    deleted = trends[i].deleted;
    return std::vector<std::string>{trends[i].name, trends[i].expr, "", "00:00:10"};
  });
}

}  // namespace

bool WriteVariableTable(const std::filesystem::path& path,
                        const std::vector<CitectVariable>& variables) {
  return WriteVariableTable(path, variables.size(), [&](std::size_t i) { return variables[i]; });
}

bool WriteVariableTable(const std::filesystem::path& path, std::size_t count,
                        const std::function<CitectVariable(std::size_t)>& row) {
  return WriteTable(path, Fields(kVariableFields), count, [&](std::size_t i, bool& deleted) {
    const CitectVariable v = row(i);
    deleted = v.deleted;
    return VariableRow(v);
  });
}

bool WriteCitectInstall(const CitectInstall& install) {
  namespace p = platform;
  const std::string user = install.user_folder.string();
  bool ok = true;
  if (!install.version.empty()) {
    ok = p::Registry::Modify(p::Hive::LocalMachine, [&](p::RegistryHive& hive) {
           const std::string installs(projfiles::kScadaInstallsKey);
           if (install.version == "6.10" && install.other_versions.empty()) {
             hive.CreateKey(projfiles::kLegacyInstallKey);
             return;
           }
           for (const auto& v : install.other_versions) hive.CreateKey(installs + "\\" + v);
           const std::string key = installs + "\\" + install.version + "\\CitectSCADA";
           const std::string ini = install.ini_path.empty()
                                       ? (p::WindowsDirectory() / "citect.ini").string()
                                       : install.ini_path.string();
           hive.SetValue(key, "DefaultINIPath", {p::RegValue::Kind::String, ini, 0});
         }).ok();
  }
  if (!install.ini_path.empty()) {
    std::filesystem::create_directories(install.ini_path.parent_path());
    ok = ok && p::WritePrivateProfileString("CTEDIT", "USER", user, install.ini_path.string());
  }
  p::CreateWindowsDirectory();
  ok = ok && p::WritePrivateProfileString("CTEDIT", "USER", user, "citect.ini");
  ok = ok && WriteMasterTable(install.user_folder / "master.dbf", install.projects);
  for (const auto& project : install.projects) {
    const auto folder = install.user_folder / project.name;
    ok = ok && WriteTrendTable(folder / "trend.dbf", project.trends);
    ok = ok && WriteVariableTable(folder / "variable.dbf", project.variables);
  }
  return ok;
}

}  // namespace kz::test
