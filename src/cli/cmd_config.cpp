// config show, config rewrite: the configuration file through the model, without windows.
#include <fcntl.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/config_args.h"
#include "cli/json_text.h"
#include "config/cfg_mgr.h"
#include "config/options_path.h"
#include "config/serial_cfg.h"
#include "platform/file_io.h"
#include "platform/profile.h"
#include "platform/system_dirs.h"

namespace kz::cli {
namespace {

using nlohmann::ordered_json;


ordered_json GeneralJson(const config::CCfgMgr& m) {
  return ordered_json{
      {"mode", m.GetMode()},
      {"new file mode", m.GetNewFileMode()},
      {"new file synch mode", m.GetNewFileSynchMode()},
      {"auto mode data path", JsonText(m.GetAutoModeDataPath())},
      {"auto mode base name choice", m.GetAutoModeBaseNameChoice()},
      {"set sta clock", m.GetSetStaClock()},
      {"clock tolerance", m.GetClockTolerance()},
      {"pc time format", m.GetPcTimeFormat()},
      {"enable log", m.GetEnableLog()},
      {"log dir", JsonText(m.GetLogDir())},
      {"use scaling", m.GetUseScaling()},
      {"check duplicates", m.GetCheckDuplicates()},
  };
}

ordered_json TransferJson(const config::CConnectionCfg& t) {
  return ordered_json{
      {"station number", t.GetStationNumber()},         {"ID", t.GetID()},
      {"datalog file", JsonText(t.GetDatalogFile())},   {"new file mode", t.GetNewFileMode()},
      {"new file synch mode", t.GetNewFileSynchMode()}, {"data file", JsonText(t.GetDataFile())},
  };
}

ordered_json PortJson(const config::CPortCfg& port) {
  ordered_json j;
  switch (port.GetType()) {
    case config::PORT_UDP:
      j["type"] = "UDP";
      break;
    case config::PORT_TCP:
      j["type"] = "TCP";
      break;
    default:
      j["type"] = "COM";
      break;
  }
  j["number"] = port.GetNumber();
  if (const auto* com = dynamic_cast<const config::CSerialCfg*>(&port)) {
    j["baud"] = JsonText(com->GetBaud());
    j["data_bits"] = JsonText(com->GetDataBits());
    j["stop_bits"] = JsonText(com->GetStopBits());
    j["parity"] = JsonText(com->GetParity());
    j["flow"] = JsonText(com->GetFlow());
  }
  return j;
}

ordered_json ScheduledJson(const config::CScheduledXfer& x) {
  return ordered_json{
      {"sync polling", x.GetSyncPolling()},
      {"sync clock", x.GetSyncClock()},
      {"poll interval", x.GetPollInterval()},
      {"sync start time", x.GetSyncStartTime()},
      {"interval unit", x.GetIntervalUnit()},
      {"station number", x.GetStationNumber()},
      {"clock source", x.GetClockSource()},
      {"description", JsonText(x.GetDescription())},
      {"reserved", JsonText(x.GetReserved())},
      {"port", JsonText(x.GetPort())},
      {"xfer id", x.GetXferID()},
  };
}

ordered_json ModelJson(const config::CCfgMgr& m) {
  ordered_json transfers = ordered_json::array();
  for (int i = 0; i < m.GetConnectionCount(); ++i) {
    const config::CConnectionCfg* t = m.GetConnection(i);
    if (!t->IsRemoved()) transfers.push_back(TransferJson(*t));
  }
  ordered_json ports = ordered_json::array();
  for (int i = m.GetFirstPort(); i != -1; i = m.GetNextPort(i)) {
    ports.push_back(PortJson(*m.GetPort(i)));
  }
  ordered_json scheduled = ordered_json::array();
  for (int i = m.GetFirstScheduledXfer(); i != -1; i = m.GetNextScheduledXfer(i)) {
    scheduled.push_back(ScheduledJson(*m.GetScheduledXfer(i)));
  }
  return ordered_json{{"general", GeneralJson(m)},
                      {"transfers", std::move(transfers)},
                      {"ports", std::move(ports)},
                      {"scheduled", std::move(scheduled)}};
}

int Show(const ConfigArgs& args) {
  config::CCfgMgr model;
  std::string path;
  if (const int status = LoadConfig(args, model, path); status != kOk) return status;
  std::cout << ModelJson(model).dump(2) << '\n';
  return kOk;
}

int Rewrite(const ConfigArgs& args) {
  config::CCfgMgr model;
  std::string path;
  if (const int status = LoadConfig(args, model, path); status != kOk) return status;
  return SaveConfig(model, path);
}

}  // namespace

void AddConfigCommands(CLI::App& app, int& exit_code) {
  CLI::App* config =
      app.add_subcommand("config", "Read and rewrite the datalog server's configuration file.");
  config->require_subcommand(1);

  auto show_args = std::make_shared<ConfigArgs>();
  CLI::App* show = config->add_subcommand(
      "show",
      "Print the configuration model loaded from the file as JSON (the only output format): "
      "general settings by their file key names, client transfers, ports and scheduled "
      "transfers, in file order. Texts that are not valid UTF-8 appear as {\"hex\": ...}.");
  auto* file = show->add_option("--file", show_args->file, "Configuration file to load")
                   ->check(kNonEmptyPath);
  auto* options = show->add_option(
      "--options", show_args->options,
      "Options text of the configure operation (\"File=PATH\", \"product=citect\"); without "
      "--file or --options the standard edition's file in the Windows directory is shown");
  file->excludes(options);
  show->add_flag("--json", show_args->json, "Print JSON (the default and only format)");
  show->callback([show_args, &exit_code] {
    if (!show_args->file && !show_args->options) show_args->options = "";
    exit_code = Show(*show_args);
  });

  AddConfigApplyCommands(*config, exit_code);

  auto rewrite_args = std::make_shared<ConfigArgs>();
  CLI::App* rewrite = config->add_subcommand(
      "rewrite",
      "Load the file and save it again, as pressing OK without changes does: old list sections "
      "are cleared, lists renumbered from 0, other lines kept. The file is replaced in one step "
      "or not at all.");
  rewrite->add_option("--file", rewrite_args->file, "Configuration file to rewrite")
      ->required()
      ->check(kNonEmptyPath);
  rewrite->callback([rewrite_args, &exit_code] { exit_code = Rewrite(*rewrite_args); });
}

}  // namespace kz::cli
