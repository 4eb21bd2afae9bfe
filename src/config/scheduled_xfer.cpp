#include "config/scheduled_xfer.h"

#include "config/get_field.h"
#include "config/number_text.h"

namespace kz::config {
namespace {

// The server reads a "scheduled" value into a 1024-byte buffer.
constexpr std::size_t kLineLimit = 1023;

}  // namespace

CScheduledXfer CScheduledXfer::FromLine(std::string_view line,
                                        std::optional<std::string_view> stored) {
  const std::string_view cut = line.substr(0, kLineLimit);
  CScheduledXfer x;
  x.m_bSyncPolling = ParseLeadingInt(GetField(cut, ',', 1, 10));
  x.m_bSyncClock = ParseLeadingInt(GetField(cut, ',', 2, 10));
  // The server reads these with a 32-bit atol into an unsigned long: "-1" is 4294967295.
  x.m_ulPollInterval = static_cast<std::uint32_t>(ParseLeadingInt(GetField(cut, ',', 3, 25)));
  x.m_ulSyncStartTime = static_cast<std::uint32_t>(ParseLeadingInt(GetField(cut, ',', 4, 25)));
  x.m_nIntervalUnit = ParseLeadingInt(GetField(cut, ',', 5, 25));
  x.m_nStationNumber = ParseLeadingInt(GetField(cut, ',', 6, 25));
  x.m_nClockSource = ParseLeadingInt(GetField(cut, ',', 7, 25));
  x.m_strDescription = GetField(cut, ',', 8, 40);
  x.m_strReserved = GetField(cut, ',', 9, 40);
  x.m_strPort = GetField(cut, ',', 10, 20);
  x.m_nXferID = ParseLeadingInt(GetField(cut, ',', 11, 20));
  // Reading cuts the description and shifts fields at commas; keeping the line means a load and
  // save of an untouched record cannot damage it.
  x.m_strLine = std::string(stored.value_or(line));
  return x;
}

std::string CScheduledXfer::FormattedLine() const {
  std::string line;
  line.reserve(64 + m_strDescription.size() + m_strReserved.size() + m_strPort.size());
  line += std::to_string(m_bSyncPolling);
  line += ',';
  line += std::to_string(m_bSyncClock);
  line += ',';
  line += std::to_string(m_ulPollInterval);
  line += ',';
  line += std::to_string(m_ulSyncStartTime);
  line += ',';
  line += std::to_string(m_nIntervalUnit);
  line += ',';
  line += std::to_string(m_nStationNumber);
  line += ',';
  line += std::to_string(m_nClockSource);
  line += ",`";
  line += m_strDescription;
  line += "`,";
  line += m_strReserved;
  line += ',';
  line += m_strPort;
  line += ',';
  line += std::to_string(m_nXferID);
  return line;
}

}  // namespace kz::config
