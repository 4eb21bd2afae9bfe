// CSerialCfg: a serial (COM) port and its line settings, kept as the texts of the file
// ("9600", "8", "1", "n", "n"). Its section "COM%d" holds the keys "baud", "data_bits",
// "stop_bits", "parity" and "flow".
#pragma once

#include <string>
#include <string_view>

#include "config/port_cfg.h"

namespace kz::config {

class CSerialCfg : public CPortCfg {
 public:
  CSerialCfg() : CPortCfg(PORT_SERIAL) {}

  int GetComNumber() const { return m_nComNumber; }
  void SetComNumber(int number) { m_nComNumber = number; }
  std::string GetBaud() const { return m_strBaud; }
  void SetBaud(std::string value) { m_strBaud = std::move(value); }
  std::string GetDataBits() const { return m_strDataBits; }
  void SetDataBits(std::string value) { m_strDataBits = std::move(value); }
  std::string GetStopBits() const { return m_strStopBits; }
  void SetStopBits(std::string value) { m_strStopBits = std::move(value); }
  std::string GetParity() const { return m_strParity; }
  void SetParity(std::string value) { m_strParity = std::move(value); }
  std::string GetFlow() const { return m_strFlow; }
  void SetFlow(std::string value) { m_strFlow = std::move(value); }

  // "%s,%s,%s,%s" of baud, data bits, parity in upper case and stop bits: "9600,8,N,1".
  std::string SettingsText() const;

  int GetNumber() const override { return m_nComNumber; }
  std::string EntryText() const override;    // "COM%d"
  std::string DisplayText() const override;  // "COM%d <settings>"

  // Reads the five keys; a value outside the known ones leaves the field as it was (flow is taken
  // as it stands); a missing key reads as its default ("9600", "8", "1", "N", "n").
  void Load(const platform::ProfileDocument& doc, std::string_view section) override;
  // Writes "baud", "data_bits", "stop_bits", "parity", "flow" in that order, texts unchanged.
  void Save(platform::ProfileBatch& batch, std::string_view section) const override;

 private:
  std::string m_strBaud = "9600";
  std::string m_strDataBits = "8";
  std::string m_strStopBits = "1";
  std::string m_strParity = "n";
  std::string m_strFlow;
  int m_nComNumber = -1;
};

}  // namespace kz::config
