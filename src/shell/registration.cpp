#include "shell/registration.h"

#include "platform/registry.h"
#include "shell/guid.h"

namespace kz::shell {
namespace {

using platform::Hive;
using platform::RegistryHive;
using platform::RegValue;

void SetDefault(RegistryHive& hive, const std::string& key, const std::string& text) {
  hive.SetValue(key, "", RegValue{RegValue::Kind::String, text, 0});
}

std::string ClassKey() {
  return "CLSID\\" + FormatGuid(com::CLSID_DlogServer);
}

}  // namespace

com::HRESULT RegisterServer(const std::string& module_path) {
  const std::string clsid = FormatGuid(com::CLSID_DlogServer);
  const std::string prog_id = com::kProgId;
  const std::string vi_prog_id = com::kVersionIndependentProgId;
  const kz::Status ok = platform::Registry::Modify(Hive::ClassesRoot, [&](RegistryHive& hive) {
    SetDefault(hive, prog_id, kClassDescription);
    SetDefault(hive, prog_id + "\\CLSID", clsid);
    SetDefault(hive, vi_prog_id, kClassDescription);
    SetDefault(hive, vi_prog_id + "\\CLSID", clsid);
    SetDefault(hive, vi_prog_id + "\\CurVer", prog_id);
    const std::string cls = ClassKey();
    hive.DeleteTree(cls);
    SetDefault(hive, cls, kClassDescription);
    SetDefault(hive, cls + "\\ProgID", prog_id);
    SetDefault(hive, cls + "\\VersionIndependentProgID", vi_prog_id);
    hive.CreateKey(cls + "\\Programmable");
    SetDefault(hive, cls + "\\InprocServer32", module_path);
    hive.SetValue(cls + "\\InprocServer32", "ThreadingModel",
                  RegValue{RegValue::Kind::String, "Apartment", 0});
    SetDefault(hive, cls + "\\TypeLib", FormatGuid(com::LIBID_KZDLOGSRVLib));
  });
  return ok ? com::S_OK : com::SELFREG_E_CLASS;
}

com::HRESULT UnregisterServer() {
  const kz::Status ok = platform::Registry::Modify(Hive::ClassesRoot, [](RegistryHive& hive) {
    hive.DeleteTree(com::kProgId);
    hive.DeleteTree(com::kVersionIndependentProgId);
    hive.DeleteTree(ClassKey());
  });
  return ok ? com::S_OK : com::SELFREG_E_CLASS;
}

std::optional<std::string> RegisteredModulePath(const std::string& prog_id) {
  const auto clsid = platform::Registry::GetString(Hive::ClassesRoot, prog_id + "\\CLSID", "");
  if (!clsid || !ParseGuid(*clsid)) return std::nullopt;
  auto path =
      platform::Registry::GetString(Hive::ClassesRoot, "CLSID\\" + *clsid + "\\InprocServer32", "");
  if (!path || path->empty()) return std::nullopt;
  return path;
}

}  // namespace kz::shell
