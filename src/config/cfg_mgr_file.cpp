// CCfgMgr's configuration file: the load and save orders of the server's format.
#include <string>

#include "config/cfg_mgr.h"
#include "config/number_text.h"
#include "config/serial_cfg.h"
#include "config/tcp_cfg.h"
#include "config/udp_cfg.h"
#include "platform/ascii_case.h"

namespace kz::config {
namespace {

// The server's read buffers: 10 bytes for "mode", 256 for the other general keys, 1024 for the
// list sections.
constexpr std::size_t kModeBuffer = 10;
constexpr std::size_t kGeneralBuffer = 256;
constexpr std::size_t kListBuffer = 1024;

constexpr std::string_view kGeneral = "general";
constexpr std::string_view kTransfers = "transfers";
constexpr std::string_view kPorts = "ports";
constexpr std::string_view kScheduled = "scheduled";

std::string XferSection(std::size_t n) {
  return "xfer" + std::to_string(n);
}

std::unique_ptr<CPortCfg> PortFromEntry(std::string_view entry) {
  const std::string kind = platform::AsciiLower(entry.substr(0, 3));
  const int number = ParseLeadingInt(entry.substr(3));
  if (kind == "com") {
    auto port = std::make_unique<CSerialCfg>();
    port->SetComNumber(number);
    return port;
  }
  std::unique_ptr<CIpPortCfg> port;
  if (kind == "udp") {
    port = std::make_unique<CUDPCfg>();
  } else {
    port = std::make_unique<CTCPCfg>();
  }
  port->SetPortNumber(number);
  return port;
}

}  // namespace

int CCfgMgr::ReadWrite(const std::string& path, bool save) {
  if (!save) {
    Load(*platform::ProfileSnapshot(path));
    return kCfgOk;
  }
  return SaveFile(path) ? kCfgOk : kCfgFailed;
}

Status CCfgMgr::SaveFile(const std::string& path) {
  platform::ProfileBatch batch(path);
  Save(batch);
  return batch.Commit();
}

void CCfgMgr::LoadGeneral(const platform::ProfileDocument& doc) {
  auto number = [&](std::string_view key, std::string_view def) {
    return ParseLeadingInt(doc.GetString(kGeneral, key, def, kGeneralBuffer));
  };
  SetMode(ParseLeadingInt(doc.GetString(kGeneral, "mode", "", kModeBuffer)));
  m_nNewFileMode = number("new file mode", "");
  m_lNewFileSynchMode = number("new file synch mode", "");
  m_strAutoModeDataPath = doc.GetString(kGeneral, "auto mode data path", "", kGeneralBuffer);
  m_nAutoModeBaseNameChoice = number("auto mode base name choice", "");
  m_bSetStaClock = number("set sta clock", "");
  m_nClockTolerance = number("clock tolerance", "60");
  m_nPcTimeFormat = number("pc time format", "0");
  m_bEnableLog = number("enable log", "0");
  m_strLogDir = doc.GetString(kGeneral, "log dir", "", kGeneralBuffer);
  // A file without the key turns scaling off, although a new model has it on.
  m_bUseScaling = number("use scaling", "0");
  m_bCheckDuplicates = number("check duplicates", "0");
}

void CCfgMgr::Load(const platform::ProfileDocument& doc) {
  Clear();
  LoadGeneral(doc);

  // Each list is read in one pass over its section; its values are cut as the server's read
  // buffers cut them.
  const auto cut = [](std::string_view value) { return value.substr(0, kListBuffer - 1); };

  const std::vector<std::string_view> transfers = doc.NumberedValues(kTransfers);
  m_connections.reserve(transfers.size());
  for (const std::string_view value : transfers) {
    const std::string_view section = cut(value);
    if (section.empty()) break;
    auto transfer = std::make_unique<CConnectionCfg>();
    transfer->Load(doc, section);
    transfer->AttachIndex(&m_dataFiles);
    m_connections.push_back(std::move(transfer));
  }
  // No duplicate check while loading: a later transfer with the same key takes the index entry.
  m_connectionIndex.reserve(m_connections.size());
  for (const auto& transfer : m_connections) IndexConnection(transfer.get());

  for (const std::string_view value : doc.NumberedValues(kPorts)) {
    const std::string_view entry = cut(value);
    if (entry.empty()) break;
    if (entry.size() <= 3) continue;  // a kind without a number names no port
    auto port = PortFromEntry(entry);
    port->Load(doc, entry);
    m_ports.push_back(std::move(port));
  }

  // The whole value, not the server's 1023 bytes, so that an untouched line survives a save; and
  // as stored, quotes kept, since writing back the unquoted value would lose a pair per save.
  const auto lines = doc.NumberedValues(kScheduled);
  const auto stored = doc.NumberedValues(kScheduled, platform::ProfileDocument::ValueForm::Stored);
  for (std::size_t i = 0; i < lines.size() && !lines[i].empty(); ++i) {
    m_scheduledXfers.push_back(
        std::make_unique<CScheduledXfer>(CScheduledXfer::FromLine(lines[i], stored[i])));
  }
}

void CCfgMgr::SaveGeneral(platform::ProfileBatch& batch) const {
  auto write = [&](std::string_view key, std::string_view value) {
    batch.Write(kGeneral, key, value);
  };
  write("mode", std::to_string(m_nMode));
  write("new file mode", std::to_string(m_nNewFileMode));
  write("new file synch mode", std::to_string(m_lNewFileSynchMode));
  write("auto mode data path", m_strAutoModeDataPath);
  write("auto mode base name choice", std::to_string(m_nAutoModeBaseNameChoice));
  write("set sta clock", std::to_string(m_bSetStaClock));
  write("clock tolerance", std::to_string(m_nClockTolerance));
  write("pc time format", std::to_string(m_nPcTimeFormat));
  write("enable log", std::to_string(m_bEnableLog));
  write("log dir", m_strLogDir);
  write("use scaling", std::to_string(m_bUseScaling));
  write("check duplicates", std::to_string(m_bCheckDuplicates));
}

void CCfgMgr::Save(platform::ProfileBatch& batch) {
  // Old port sections first: each one the "ports" list names, then the list itself.
  for (std::size_t n = 0;; ++n) {
    const std::string entry = batch.GetString(kPorts, std::to_string(n), "", kListBuffer);
    if (entry.empty()) break;
    batch.Write(entry, std::nullopt, std::nullopt);
  }
  batch.Write(kPorts, std::nullopt, std::nullopt);

  // Old transfer sections: xfer0, xfer1, ... while each still has a "new file mode".
  for (std::size_t n = 0;; ++n) {
    const std::string section = XferSection(n);
    if (batch.GetString(section, "new file mode", "", kListBuffer).empty()) break;
    batch.Write(section, std::nullopt, std::nullopt);
  }
  batch.Write(kTransfers, std::nullopt, std::nullopt);
  batch.Write(kScheduled, std::nullopt, std::nullopt);

  if (m_nMode == 1) ClearConnections();  // automatic mode keeps no client transfers

  SaveGeneral(batch);

  std::size_t k = 0;
  for (const auto& transfer : m_connections) {
    if (transfer->IsRemoved()) continue;
    const std::string section = XferSection(k);
    batch.Write(kTransfers, std::to_string(k), section);
    transfer->Save(batch, section);
    ++k;
  }

  k = 0;
  for (const auto& port : m_ports) {
    if (port->IsRemoved()) continue;
    const std::string entry = port->EntryText();
    batch.Write(kPorts, std::to_string(k), entry);
    port->Save(batch, entry);
    ++k;
  }

  k = 0;
  for (int i = GetFirstScheduledXfer(); i != -1; i = GetNextScheduledXfer(i)) {
    batch.Write(kScheduled, std::to_string(k),
                m_scheduledXfers[static_cast<std::size_t>(i)]->Line());
    ++k;
  }
}

}  // namespace kz::config
