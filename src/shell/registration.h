// Registration of the coclass DlogServer in the registry store's HKEY_CLASSES_ROOT: the keys of
// the registration script, with the module's path as the in-process server.
//
//   Kzdlogsrv.DlogServer.1           @="DlogServer Class"
//   Kzdlogsrv.DlogServer.1\CLSID     @="{6D45C34E-6429-11D6-8835-0050BA580AEB}"
//   Kzdlogsrv.DlogServer             @="DlogServer Class"
//   Kzdlogsrv.DlogServer\CLSID       @="{6D45C34E-...}"
//   Kzdlogsrv.DlogServer\CurVer      @="Kzdlogsrv.DlogServer.1"
//   CLSID\{6D45C34E-...}             @="DlogServer Class"  (replaced whole, removed whole)
//     ProgID                         @="Kzdlogsrv.DlogServer.1"
//     VersionIndependentProgID       @="Kzdlogsrv.DlogServer"
//     Programmable                   (key only)
//     InprocServer32                 @="<module path>" "ThreadingModel"="Apartment"
//     TypeLib                        @="{6D45C340-6429-11D6-8835-0050BA580AEB}"
//
// The key CLSID itself is never removed.
#pragma once

#include <optional>
#include <string>

#include "shell/com.h"

namespace kz::shell {

inline constexpr const char* kClassDescription = "DlogServer Class";

// S_OK, or SELFREG_E_CLASS when the store could not be written (it is then unchanged).
com::HRESULT RegisterServer(const std::string& module_path);
com::HRESULT UnregisterServer();

// What a host does to find the module: ProgID -> CLSID -> InprocServer32's default value.
// nullopt when the ProgID is not registered.
std::optional<std::string> RegisteredModulePath(const std::string& prog_id);

}  // namespace kz::shell
