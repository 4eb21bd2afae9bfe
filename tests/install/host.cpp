// Loads the module, creates a DlogServer object through its class factory and prints the
// server's status word. The module is libkzdlogsrv.so from the loader's search path, or argv[1].
#include <dlfcn.h>
#include <kzdlogsrv/com.h>

#include <cstdio>

using namespace kz::com;

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : kModuleFileName;
  void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    std::fprintf(stderr, "host: %s\n", dlerror());
    return 1;
  }
  auto get_class_object = reinterpret_cast<DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
  if (!get_class_object) {
    std::fprintf(stderr, "host: no DllGetClassObject\n");
    return 1;
  }

  IClassFactory* factory = nullptr;
  HRESULT hr =
      get_class_object(&CLSID_DlogServer, &IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (!Succeeded(hr)) {
    std::fprintf(stderr, "host: DllGetClassObject: 0x%08X\n", static_cast<unsigned>(hr));
    return 1;
  }
  IDlogServer* server = nullptr;
  hr = factory->CreateInstance(nullptr, IID_IDlogServer, reinterpret_cast<void**>(&server));
  factory->Release();
  if (!Succeeded(hr)) {
    std::fprintf(stderr, "host: CreateInstance: 0x%08X\n", static_cast<unsigned>(hr));
    return 1;
  }

  LONG status = 0;
  hr = server->GetServerStatus(nullptr, &status);  // null: the standard edition
  server->Release();
  if (!Succeeded(hr)) return 1;
  std::printf("server status: %d\n", static_cast<int>(status));
  return 0;
}
