// The module's life and its six exports. The one Module object is built when the module is
// loaded (InitInstance) and destroyed when it is unloaded (ExitInstance).
#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "shell/com.h"
#include "shell/dlog_server.h"
#include "shell/kzdlogsrv_app.h"
#include "shell/registration.h"
#include "shell/status_exports.h"
#include "ui/qt/qt_ui_service.h"

#define KZ_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace kz;

// The real path of this module's file, for the registration and the help files beside it.
std::string ModulePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&ModulePath), &info) || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  if (!realpath(info.dli_fname, resolved)) return {};
  return resolved;
}

struct Module {
  qtui::QtUiService ui;
  shell::CKzdlogsrvApp app{ui, ModulePath()};
  shell::CDlogServerFactory factory{app};

  Module() { app.InitInstance(); }
  ~Module() { app.ExitInstance(); }
};

// Only order-independent state (constant-initialised globals, function-local statics) may be
// used by the core while this is built.
Module g_module;

}  // namespace

KZ_EXPORT com::HRESULT DllGetClassObject(const com::GUID* clsid, const com::GUID* iid,
                                         void** object) {
  if (!clsid || !iid || !object) return com::E_POINTER;
  return shell::GetClassObject(g_module.factory, *clsid, *iid, object);
}

KZ_EXPORT com::HRESULT DllCanUnloadNow() {
  return shell::CanUnloadNow();
}

KZ_EXPORT com::HRESULT DllRegisterServer() {
  const std::string path = ModulePath();
  if (path.empty()) return com::SELFREG_E_CLASS;
  return shell::RegisterServer(path);
}

KZ_EXPORT com::HRESULT DllUnregisterServer() {
  return shell::UnregisterServer();
}

KZ_EXPORT int GetServerStat(const char* options) {
  return g_module.app.GetServerStat(options);
}

KZ_EXPORT int SetServerStat(const char* options, int value) {
  return g_module.app.SetServerStat(options, value);
}
