// kz_unloading_host MODULE OPTIONS: a host that loads the module, calls Configure once, releases
// everything, unloads the module and then ends, as hosts that load modules for one task do.
// Exit status: the Configure result, or 3 when the module could not be used.
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "shell/com.h"
#include "shell/utf16.h"

int main(int argc, char** argv) {
  using namespace kz;
  if (argc != 3) {
    std::fputs("usage: kz_unloading_host MODULE OPTIONS\n", stderr);
    return 2;
  }
  void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 3;
  }
  auto get_class_object =
      reinterpret_cast<com::DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
  auto can_unload = reinterpret_cast<com::DllCanUnloadNowFn>(dlsym(module, "DllCanUnloadNow"));
  void* factory = nullptr;
  void* object = nullptr;
  if (!get_class_object || !can_unload ||
      get_class_object(&com::CLSID_DlogServer, &com::IID_IClassFactory, &factory) != com::S_OK ||
      static_cast<com::IClassFactory*>(factory)->CreateInstance(nullptr, com::IID_IDlogServer,
                                                                &object) != com::S_OK) {
    return 3;
  }
  static_cast<com::IClassFactory*>(factory)->Release();
  auto* server = static_cast<com::IDlogServer*>(object);
  const std::u16string options = shell::Utf8ToUtf16(argv[2]);
  com::LONG result = -1;
  const com::HRESULT hr = server->Configure(options.c_str(), &result);
  server->Release();
  if (hr != com::S_OK || can_unload() != com::S_OK) return 3;
  if (dlclose(module) != 0) return 3;
  return static_cast<int>(result);
}
