// Commands that reach the module as a host does: configure, start-server, message, status,
// set-status, register, unregister.
#include <dlfcn.h>

#include <iostream>
#include <memory>
#include <string>
#include <type_traits>

#include "cli/commands.h"
#include "platform/server_channel.h"
#include "shell/com.h"
#include "shell/module_file.h"
#include "shell/options.h"
#include "shell/registration.h"
#include "shell/utf16.h"

namespace kz::cli {
namespace {

// A loaded module. It stays loaded until the process ends: the status block and any window it
// opened belong to it.
class Module {
 public:
  static std::unique_ptr<Module> Load(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* why = dlerror();
      Fail(path, why ? why : "cannot be loaded");
      return nullptr;
    }
    return std::unique_ptr<Module>(new Module(handle, path));
  }

  // The export `name`, or null after an error line.
  template <typename Fn>
  Fn Export(const char* name) const {
    auto fn = reinterpret_cast<Fn>(dlsym(handle_, name));
    if (!fn) Fail(path_, std::string("no export ") + name);
    return fn;
  }

 private:
  Module(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  void* handle_;
  std::string path_;
};

// The module registered for the ProgID, else the one beside this program or installed with it.
std::unique_ptr<Module> LoadRegisteredModule() {
  if (auto path = shell::RegisteredModulePath(com::kProgId)) return Module::Load(*path);
  const std::string unregistered = shell::UnregisteredModuleFile();
  std::cerr << "kzdlogsrv: " << com::kProgId << " is not registered; using " << unregistered
            << '\n';
  return Module::Load(unregistered);
}

struct ReleaseInterface {
  void operator()(com::IUnknown* p) const { p->Release(); }
};
using ServerPtr = std::unique_ptr<com::IDlogServer, ReleaseInterface>;

// Creates a DlogServer object through the module's class factory.
ServerPtr CreateServer(const Module& module) {
  auto get_class_object = module.Export<com::DllGetClassObjectFn>("DllGetClassObject");
  if (!get_class_object) return nullptr;
  void* factory_ptr = nullptr;
  com::HRESULT hr = get_class_object(&com::CLSID_DlogServer, &com::IID_IClassFactory, &factory_ptr);
  if (!com::Succeeded(hr) || !factory_ptr) {
    Fail("DllGetClassObject", "failed");
    return nullptr;
  }
  auto* factory = static_cast<com::IClassFactory*>(factory_ptr);
  void* server = nullptr;
  hr = factory->CreateInstance(nullptr, com::IID_IDlogServer, &server);
  factory->Release();
  if (!com::Succeeded(hr) || !server) {
    Fail("CreateInstance", "the DlogServer object could not be created");
    return nullptr;
  }
  return ServerPtr(static_cast<com::IDlogServer*>(server));
}

using Method = com::HRESULT (com::IDlogServer::*)(const com::OLECHAR*, com::LONG*);

// Calls one IDlogServer method with the options text; nullopt when the object could not be had.
std::optional<com::LONG> CallServer(Method method, const std::string& options) {
  auto module = LoadRegisteredModule();
  if (!module) return std::nullopt;
  ServerPtr server = CreateServer(*module);
  if (!server) return std::nullopt;
  const std::u16string text = shell::Utf8ToUtf16(options);
  com::LONG result = -1;
  if (!com::Succeeded((server.get()->*method)(text.c_str(), &result))) {
    Fail("IDlogServer", "the call failed");
    return std::nullopt;
  }
  return result;
}

// Calls DllRegisterServer or DllUnregisterServer of the module beside this program or installed
// with it (registration names that module, never one registered earlier).
int CallRegistration(std::string_view command, const char* export_name) {
  static_assert(std::is_same_v<com::DllRegisterServerFn, com::DllUnregisterServerFn>);
  auto module = Module::Load(shell::UnregisteredModuleFile());
  if (!module) return kFailed;
  auto call = module->Export<com::DllRegisterServerFn>(export_name);
  if (!call) return kFailed;
  if (!com::Succeeded(call())) {
    Fail(command, "the registry store could not be written");
    return kFailed;
  }
  return kOk;
}

// The module only says that the message did not get through; a person needs to know whether a
// server is there at all.
std::string WhyNotSent(const std::string& options) {
  const std::string_view title = shell::EditionByEquality(options).server_title;
  if (const auto path = platform::ServerChannelPath(title); !path) return path.status().message();
  if (platform::ServerListening(title)) {
    return "the datalog server is running but did not answer in time";
  }
  return "no datalog server is running";
}

CLI::App* AddWithOptions(CLI::App& app, const char* name, const char* description,
                         std::string& options) {
  CLI::App* cmd = app.add_subcommand(name, description);
  cmd->add_option("--options", options,
                  "The host's options text, e.g. \"product=citect\" or \"File=/path/a.cfg\"");
  return cmd;
}

}  // namespace

void AddModuleCommands(CLI::App& app, int& exit_code) {
  static std::string options;
  static std::string code;
  static int value = 0;

  AddWithOptions(app, "configure", "Edit the datalog server's configuration in its windows",
                 options)
      ->callback([&exit_code] {
        const auto r = CallServer(&com::IDlogServer::Configure, options);
        exit_code = (r && *r == 0) ? kOk : kFailed;
      });

  AddWithOptions(app, "start-server",
                 "Start the datalog server when it is not running, and send it 0x476", options)
      ->callback([&exit_code] {
        const auto r = CallServer(&com::IDlogServer::StartServer, options);
        if (r && *r < 0) Fail("start-server", "the datalog server could not be started");
        exit_code = (r && *r == 0) ? kOk : kFailed;
        // A server that cannot have its channel ends at once, and the module does not look back.
        const auto path =
            platform::ServerChannelPath(shell::EditionByEquality(options).server_title);
        if (exit_code == kOk && !path) {
          Fail("start-server", path.status().message());
          exit_code = kFailed;
        }
      });

  CLI::App* message =
      AddWithOptions(app, "message", "Send the running datalog server a command message", options);
  message->add_option("code", code, "The message code in hex: 475, 477 or 478")
      ->required()
      ->check(CLI::IsMember({"475", "477", "478"}));
  message->callback([&exit_code] {
    const Method method = code == "475"   ? &com::IDlogServer::ServerMessage475
                          : code == "477" ? &com::IDlogServer::ServerMessage477
                                          : &com::IDlogServer::ServerMessage478;
    const auto r = CallServer(method, options);
    if (r && *r != 0) Fail("message " + code, WhyNotSent(options));
    exit_code = (r && *r == 0) ? kOk : kFailed;
  });

  AddWithOptions(app, "status", "Print the datalog server's status word", options)
      ->callback([&exit_code] {
        const auto r = CallServer(&com::IDlogServer::GetServerStatus, options);
        if (!r) {
          exit_code = kFailed;
          return;
        }
        std::cout << *r << '\n';
        if (*r == -1) Fail("status", "no server status block");
        exit_code = *r == -1 ? kFailed : kOk;
      });

  CLI::App* set_status = AddWithOptions(
      app, "set-status", "Set the datalog server's status word, as the server does", options);
  set_status->add_option("value", value, "The new status value")->required();
  set_status->callback([&exit_code] {
    exit_code = kFailed;
    auto module = LoadRegisteredModule();
    if (!module) return;
    auto set = module->Export<com::SetServerStatFn>("SetServerStat");
    if (!set) return;
    if (set(options.c_str(), value) != 1) {
      Fail("set-status", "no server status block");
      return;
    }
    exit_code = kOk;
  });

  app.add_subcommand(
         "register",
         "Register the module beside this program (else the installed one) as DlogServer")
      ->callback([&exit_code] { exit_code = CallRegistration("register", "DllRegisterServer"); });

  app.add_subcommand("unregister", "Remove the DlogServer registration")->callback([&exit_code] {
    exit_code = CallRegistration("unregister", "DllUnregisterServer");
  });
}

}  // namespace kz::cli
