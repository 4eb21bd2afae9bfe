// kzdlogrcv.exe / kzcitectsrv.exe: the stand-in datalog server. Test and demonstration equipment
// for the module's start, message and status operations, not a datalog server.
#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "config/cfg_mgr.h"
#include "platform/server_channel.h"
#include "platform/system_dirs.h"
#include "platform/unique_fd.h"
#include "shell/com.h"
#include "shell/kzdlogsrv_app.h"
#include "shell/module_file.h"
#include "shell/options.h"

namespace {

using namespace kz;

constexpr int kStatusStopped = 0;
constexpr int kStatusRunning = 2;
constexpr int kStatusPaused = 3;

constexpr const char* kHelp = R"(Usage: %s [--help]

Stand-in datalog server for testing and demonstrating the kzdlogsrv module. It receives no data.
Its edition comes from its own file name: kzcitectsrv.exe is the Citect edition, any other name
the standard edition.

  edition    window title             configuration file            status word
  standard   "Datalog Server"         <Windows dir>/kzdlogrcv.cfg   0
  Citect     "Citect Datalog Server"  <Windows dir>/kzcitectsrv.cfg 1

It owns the server channel of its title in the user's runtime folder, reads its configuration
file at start, and keeps its status word through SetServerStat of libkzdlogsrv.so (beside it, else
in the library folder of its installation):

  0  not running (written when it ends)
  2  running, logging (from start-up on)
  3  running, logging paused

Command messages (each acknowledged once handled):
  0x475  read the configuration file again
  0x476  start logging: status 2 (sent by the module right after a start)
  0x477  pause logging: status 3
  0x478  end, as on SIGTERM

It ends cleanly on SIGTERM, SIGINT and 0x478: status 0, channel removed.
Exit status: 0 after a clean end; 1 when a live server already owns the channel or it cannot
start.
)";

struct Server {
  explicit Server(const shell::Edition& e) : edition(e) {}
  const shell::Edition& edition;
  com::SetServerStatFn set_status = nullptr;
  std::string config_path;

  void SetStatus(int value) const {
    set_status(std::string(edition.citect ? shell::kCitectOption : "").c_str(), value);
  }
  void ReadConfiguration() const {
    config::CCfgMgr model;
    model.ReadWrite(config_path, false);
  }
};

void Fail(const std::string& program, const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", program.c_str(), why.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 0 ? std::string(argv[0]) : "kzdlogrcv.exe";
  const std::string name = program.substr(program.rfind('/') + 1);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(kHelp, name.c_str());
      return 0;
    }
    Fail(name, std::string("unknown argument \"") + argv[i] + "\" (try --help)");
    return 1;
  }
  Server server(name.find("kzcitectsrv") != std::string::npos ? shell::CitectEdition()
                                                              : shell::StandardEdition());

  // Signals are taken as events, so a stop never interrupts a half-handled command.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  sigprocmask(SIG_BLOCK, &stop_signals, nullptr);
  platform::UniqueFd signals(signalfd(-1, &stop_signals, SFD_CLOEXEC));
  if (!signals.valid()) {
    Fail(name, std::string("signalfd: ") + std::strerror(errno));
    return 1;
  }

  auto listening = platform::ServerChannel::Listen(server.edition.server_title);
  if (!listening) {
    Fail(name, listening.status().message());
    return 1;
  }
  std::unique_ptr<platform::ServerChannel> channel = std::move(*listening);

  const std::string module = shell::UnregisteredModuleFile();
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle) {
    server.set_status = reinterpret_cast<com::SetServerStatFn>(dlsym(handle, "SetServerStat"));
  }
  if (!server.set_status) {
    Fail(name, module + ": " + (handle ? "no SetServerStat" : dlerror()));
    return 1;
  }

  server.config_path =
      platform::JoinPath(platform::WindowsDirectory().string(), server.edition.config_file);
  server.ReadConfiguration();
  server.SetStatus(kStatusRunning);

  bool running = true;
  while (running) {
    pollfd fds[2] = {{channel->fd(), POLLIN, 0}, {signals.get(), POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      Fail(name, std::string("poll: ") + std::strerror(errno));
      break;
    }
    if (fds[1].revents & POLLIN) break;
    if (!(fds[0].revents & POLLIN)) continue;
    auto request = channel->Accept(std::chrono::milliseconds(1000));
    if (!request) continue;  // someone only looked for the server
    switch (request->code) {
      case shell::kMsgServer475:
        server.ReadConfiguration();
        break;
      case shell::kMsgServerStart:
        server.SetStatus(kStatusRunning);
        break;
      case shell::kMsgServer477:
        server.SetStatus(kStatusPaused);
        break;
      case shell::kMsgServer478:
        // Gone before the sender hears so: a host that checks right after the acknowledgement
        // finds the status word stopped and no server.
        running = false;
        server.SetStatus(kStatusStopped);
        channel.reset();
        break;
      default:
        break;
    }
    platform::ServerChannel::Acknowledge(*request);
  }
  server.SetStatus(kStatusStopped);
  channel.reset();
  // The module stays loaded until exit: its status block must outlive the last status write.
  return 0;
}
