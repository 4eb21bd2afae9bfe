// CScheduledXfer: a transfer the server polls on a schedule: which station on which port, when
// and how often, and whether to set the station's clock. Stored as one line of eleven
// comma-separated fields in the "scheduled" section:
//   sync polling, sync clock, poll interval, sync start time, interval unit, station number,
//   clock source, `description` (between backquotes), reserved, port, xfer id
// The editor has no page for these records, so a record read from a line keeps that line and
// writes it back unchanged; any setter makes it write the formatted line instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kz::config {

class CScheduledXfer {
 public:
  CScheduledXfer() = default;
  CScheduledXfer(const CScheduledXfer&) = delete;
  CScheduledXfer& operator=(const CScheduledXfer&) = delete;

  // A record holding the fields of `line` (the fields are read from its first 1023 bytes, with
  // the length limits of the format) and remembering the whole line, or `stored` when given: the
  // value as the file holds it (quotes kept), which is what an untouched record writes back.
  static CScheduledXfer FromLine(std::string_view line,
                                 std::optional<std::string_view> stored = std::nullopt);
  CScheduledXfer(CScheduledXfer&&) = default;

  // The line to store: the stored line it was read from while no setter was called, else
  // FormattedLine.
  std::string Line() const { return m_strLine ? *m_strLine : FormattedLine(); }
  // "%d,%d,%lu,%lu,%d,%d,%d,`%s`,%s,%s,%d" of the fields.
  std::string FormattedLine() const;

  int GetSyncPolling() const { return m_bSyncPolling; }
  void SetSyncPolling(int value) {
    Changed();
    m_bSyncPolling = value;
  }
  std::string GetPort() const { return m_strPort; }  // "COM%d" or "UDP%d"
  void SetPort(std::string value) {
    Changed();
    m_strPort = std::move(value);
  }
  // Seconds after midnight.
  std::uint32_t GetSyncStartTime() const { return m_ulSyncStartTime; }
  void SetSyncStartTime(std::uint32_t value) {
    Changed();
    m_ulSyncStartTime = value;
  }
  int GetStationNumber() const { return m_nStationNumber; }
  void SetStationNumber(int value) {
    Changed();
    m_nStationNumber = value;
  }
  std::string GetReserved() const { return m_strReserved; }
  void SetReserved(std::string value) {
    Changed();
    m_strReserved = std::move(value);
  }
  std::uint32_t GetPollInterval() const { return m_ulPollInterval; }
  void SetPollInterval(std::uint32_t value) {
    Changed();
    m_ulPollInterval = value;
  }
  // 0 the computer's GMT, 1 its local time.
  int GetClockSource() const { return m_nClockSource; }
  void SetClockSource(int value) {
    Changed();
    m_nClockSource = value;
  }
  int GetSyncClock() const { return m_bSyncClock; }
  void SetSyncClock(int value) {
    Changed();
    m_bSyncClock = value;
  }
  // 0 hours, 1 seconds.
  int GetIntervalUnit() const { return m_nIntervalUnit; }
  void SetIntervalUnit(int value) {
    Changed();
    m_nIntervalUnit = value;
  }
  std::string GetDescription() const { return m_strDescription; }
  void SetDescription(std::string value) {
    Changed();
    m_strDescription = std::move(value);
  }
  int GetXferID() const { return m_nXferID; }
  void SetXferID(int value) {
    Changed();
    m_nXferID = value;
  }

  bool IsRemoved() const { return m_bRemoved != 0; }
  void SetRemoved(bool removed) { m_bRemoved = removed ? 1 : 0; }

 private:
  void Changed() { m_strLine.reset(); }

  int m_bSyncPolling = 1;
  std::string m_strPort;
  std::uint32_t m_ulSyncStartTime = 0;
  int m_nStationNumber = 1;
  std::string m_strReserved;
  int m_bRemoved = 0;  // never stored
  std::uint32_t m_ulPollInterval = 1;
  int m_nClockSource = 0;
  int m_bSyncClock = 0;
  int m_nIntervalUnit = 0;
  std::string m_strDescription;
  int m_nXferID = 0;
  std::optional<std::string> m_strLine;  // the line read, while unchanged
};

}  // namespace kz::config
