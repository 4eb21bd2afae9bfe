#include "config/cfg_mgr.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "config/serial_cfg.h"
#include "config/tcp_cfg.h"
#include "config/udp_cfg.h"
#include "platform/ascii_case.h"

namespace kz::config {
namespace {

template <class T>
T* At(const std::vector<std::unique_ptr<T>>& items, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
  return items[static_cast<std::size_t>(index)].get();
}

// The first index after `after` whose record is live, or -1.
template <class T>
int NextLive(const std::vector<std::unique_ptr<T>>& items, int after) {
  for (std::size_t i = after < 0 ? 0 : static_cast<std::size_t>(after) + 1; i < items.size(); ++i) {
    if (!items[i]->IsRemoved()) return static_cast<int>(i);
  }
  return -1;
}

// An int as std::to_string writes it, or nullopt for any other text.
std::optional<int> IntAsWritten(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0')) {
    return std::nullopt;
  }
  if (negative && text == "0") return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

// Station number and ID of a key MakeConnectionKey could have made; nullopt for any other text,
// which names no indexed transfer.
std::optional<std::pair<int, int>> ParseConnectionKey(std::string_view key) {
  const auto dot = key.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const auto station_number = IntAsWritten(key.substr(0, dot));
  const auto id = IntAsWritten(key.substr(dot + 1));
  if (!station_number || !id) return std::nullopt;
  return std::pair(*station_number, *id);
}

}  // namespace

std::uint64_t CCfgMgr::PackConnectionKey(int station_number, int id) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(station_number)) << 32) |
         static_cast<std::uint32_t>(id);
}

void CCfgMgr::Clear() {
  ClearConnections();
  m_ports.clear();
  m_scheduledXfers.clear();
}

void CCfgMgr::ClearConnections() {
  m_connectionIndex.clear();
  m_shadowedHolders.clear();
  for (const auto& transfer : m_connections) transfer->AttachIndex(nullptr);
  m_connections.clear();
  m_dataFiles.Clear();
}

CCfgMgr::~CCfgMgr() {
  ClearConnections();
}

std::string CCfgMgr::MakeConnectionKey(int station_number, int id) {
  return std::to_string(station_number) + "." + std::to_string(id);
}

int CCfgMgr::AddConnection(std::unique_ptr<CConnectionCfg>& transfer) {
  if (!transfer) return kCfgFailed;
  const int result = ValidateConnection(*transfer);
  if (result < 0) return result;
  IndexConnection(transfer.get());
  transfer->AttachIndex(&m_dataFiles);
  m_connections.push_back(std::move(transfer));
  return kCfgOk;
}

void CCfgMgr::RemoveConnection(int index) {
  CConnectionCfg* transfer = At(m_connections, index);
  if (!transfer) return;
  transfer->SetRemoved(true);
  UnindexConnection(transfer, PackConnectionKey(transfer->GetStationNumber(), transfer->GetID()));
}

void CCfgMgr::RekeyConnection(CConnectionCfg* transfer, const std::string& old_key) {
  if (!transfer) return;
  const auto old = ParseConnectionKey(old_key);
  if (old && PackConnectionKey(old->first, old->second) ==
                 PackConnectionKey(transfer->GetStationNumber(), transfer->GetID())) {
    return;
  }
  if (old) UnindexConnection(transfer, PackConnectionKey(old->first, old->second));
  IndexConnection(transfer);
}

void CCfgMgr::IndexConnection(CConnectionCfg* transfer) {
  const std::uint64_t key = PackConnectionKey(transfer->GetStationNumber(), transfer->GetID());
  const auto [it, inserted] = m_connectionIndex.try_emplace(key, transfer);
  if (inserted || it->second == transfer) return;
  // A file may hold two transfers with one key: the later takes the entry, and the earlier waits
  // behind it so that the key stays taken when the later goes.
  m_shadowedHolders[key].push_back(it->second);
  it->second = transfer;
}

void CCfgMgr::UnindexConnection(const CConnectionCfg* transfer, std::uint64_t key) {
  const auto it = m_connectionIndex.find(key);
  if (it == m_connectionIndex.end()) return;
  const auto shadowed = m_shadowedHolders.find(key);
  if (it->second != transfer) {
    if (shadowed != m_shadowedHolders.end()) std::erase(shadowed->second, transfer);
  } else if (shadowed == m_shadowedHolders.end() || shadowed->second.empty()) {
    m_connectionIndex.erase(it);
  } else {
    it->second = shadowed->second.back();
    shadowed->second.pop_back();
  }
  if (shadowed != m_shadowedHolders.end() && shadowed->second.empty()) {
    m_shadowedHolders.erase(shadowed);
  }
}

CConnectionCfg* CCfgMgr::FindConnection(const std::string& key) const {
  const auto parsed = ParseConnectionKey(key);
  if (!parsed) return nullptr;
  const auto it = m_connectionIndex.find(PackConnectionKey(parsed->first, parsed->second));
  return it == m_connectionIndex.end() ? nullptr : it->second;
}

CConnectionCfg* CCfgMgr::GetConnection(int index) const {
  return At(m_connections, index);
}

int CCfgMgr::ValidateConnection(int station_number, int id, const std::string& data_file,
                                const CConnectionCfg* exclude) const {
  const auto it = m_connectionIndex.find(PackConnectionKey(station_number, id));
  const CConnectionCfg* found = it == m_connectionIndex.end() ? nullptr : it->second;
  if (found && found != exclude && !found->IsRemoved()) return kDuplicateTransfer;
  if (exclude) {
    if (data_file.empty()) return kCfgOk;
    return IsDataFileInUse(data_file, exclude) ? kDuplicateDataFile : kCfgOk;
  }
  // A transfer that does not exist yet is checked against every data file, even those of
  // removed transfers: their files may still hold records of another station.
  return m_dataFiles.AllCount(data_file) > 0 ? kDuplicateDataFile : kCfgOk;
}

int CCfgMgr::ValidateConnection(const CConnectionCfg& transfer) const {
  return ValidateConnection(transfer.GetStationNumber(), transfer.GetID(), transfer.GetDataFile(),
                            &transfer);
}

bool CCfgMgr::IsDataFileInUse(const std::string& data_file, const CConnectionCfg* exclude) const {
  std::size_t live = m_dataFiles.LiveCount(data_file);
  // The excluded transfer's own file does not count against it.
  if (live > 0 && exclude && exclude->IsIndexedBy(&m_dataFiles) && !exclude->IsRemoved() &&
      platform::EqualsNoCase(exclude->GetDataFile(), data_file)) {
    --live;
  }
  return live > 0;
}

CPortCfg* CCfgMgr::AddPort(int type) {
  std::unique_ptr<CPortCfg> port;
  switch (type) {
    case PORT_UDP:
      port = std::make_unique<CUDPCfg>();
      break;
    case PORT_TCP:
      port = std::make_unique<CTCPCfg>();
      break;
    case PORT_SERIAL:
      port = std::make_unique<CSerialCfg>();
      break;
    default:
      return nullptr;
  }
  // Removed ports count too, so a new port never takes the number of one removed meanwhile.
  std::int64_t highest = type == PORT_SERIAL ? 0 : 1657;
  for (const auto& existing : m_ports) {
    if (existing->GetType() == type)
      highest = std::max<std::int64_t>(highest, existing->GetNumber());
  }
  const int number =
      static_cast<int>(std::min<std::int64_t>(highest + 1, std::numeric_limits<int>::max()));
  if (type == PORT_SERIAL) {
    static_cast<CSerialCfg&>(*port).SetComNumber(number);
  } else {
    static_cast<CIpPortCfg&>(*port).SetPortNumber(number);
  }
  m_ports.push_back(std::move(port));
  return m_ports.back().get();
}

void CCfgMgr::DiscardLastPort() {
  if (!m_ports.empty()) m_ports.pop_back();
}

void CCfgMgr::InsertPort(int index, std::unique_ptr<CPortCfg> port) {
  if (!port) return;
  const auto at = std::clamp<std::int64_t>(index, 0, static_cast<std::int64_t>(m_ports.size()));
  m_ports.insert(m_ports.begin() + at, std::move(port));
}

void CCfgMgr::RemovePort(int index) {
  if (CPortCfg* port = At(m_ports, index)) port->SetRemoved(true);
}

int CCfgMgr::GetFirstPort() const {
  return NextLive(m_ports, -1);
}
int CCfgMgr::GetNextPort(int index) const {
  return NextLive(m_ports, index);
}
CPortCfg* CCfgMgr::GetPort(int index) const {
  return At(m_ports, index);
}

bool CCfgMgr::IsPortInUse(int type, int number, const CPortCfg* exclude) const {
  return std::any_of(m_ports.begin(), m_ports.end(), [&](const auto& port) {
    return port.get() != exclude && port->GetType() == type && !port->IsRemoved() &&
           port->GetNumber() == number;
  });
}

bool CCfgMgr::IsComPortInUse(int number, const CPortCfg* exclude) const {
  return IsPortInUse(PORT_SERIAL, number, exclude);
}
bool CCfgMgr::IsUDPPortInUse(int number, const CPortCfg* exclude) const {
  return IsPortInUse(PORT_UDP, number, exclude);
}
bool CCfgMgr::IsTCPPortInUse(int number, const CPortCfg* exclude) const {
  return IsPortInUse(PORT_TCP, number, exclude);
}

void CCfgMgr::AddScheduledXfer(std::unique_ptr<CScheduledXfer> xfer) {
  if (xfer) m_scheduledXfers.push_back(std::move(xfer));
}

void CCfgMgr::RemoveScheduledXfer(int index) {
  if (CScheduledXfer* xfer = At(m_scheduledXfers, index)) xfer->SetRemoved(true);
}

int CCfgMgr::GetFirstScheduledXfer() const {
  return NextLive(m_scheduledXfers, -1);
}
int CCfgMgr::GetNextScheduledXfer(int index) const {
  return NextLive(m_scheduledXfers, index);
}
CScheduledXfer* CCfgMgr::GetScheduledXfer(int index) const {
  return At(m_scheduledXfers, index);
}

}  // namespace kz::config
