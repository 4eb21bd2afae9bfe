#include "config/serial_cfg.h"

#include <algorithm>
#include <array>

#include "config/number_text.h"
#include "platform/ascii_case.h"

namespace kz::config {
namespace {

constexpr std::size_t kValueBuffer = 500;

template <std::size_t N>
bool IsOneOf(const std::string& value, const std::array<std::string_view, N>& allowed) {
  return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

}  // namespace

std::string CSerialCfg::SettingsText() const {
  return m_strBaud + "," + m_strDataBits + "," + platform::AsciiUpper(m_strParity) + "," +
         m_strStopBits;
}

std::string CSerialCfg::EntryText() const {
  return "COM" + std::to_string(m_nComNumber);
}

std::string CSerialCfg::DisplayText() const {
  return EntryText() + " " + SettingsText();
}

void CSerialCfg::Load(const platform::ProfileDocument& doc, std::string_view section) {
  static constexpr std::array<std::string_view, 5> kBauds = {"9600", "14400", "19200", "38400",
                                                             "57600"};
  static constexpr std::array<std::string_view, 2> kDataBits = {"8", "7"};
  static constexpr std::array<std::string_view, 2> kStopBits = {"1", "2"};
  static constexpr std::array<std::string_view, 5> kParities = {"n", "e", "m", "o", "s"};

  // The server would misread anything else, so an unknown value keeps what the record had.
  const platform::ProfileDocument::Section s = doc.FindSection(section);
  std::string value = s.GetString("baud", "9600", kValueBuffer);
  if (IsOneOf(value, kBauds)) m_strBaud = value;
  value = s.GetString("data_bits", "8", kValueBuffer);
  if (IsOneOf(value, kDataBits)) m_strDataBits = value;
  value = s.GetString("stop_bits", "1", kValueBuffer);
  if (IsOneOf(value, kStopBits)) m_strStopBits = value;
  value = platform::AsciiLower(s.GetString("parity", "N", kValueBuffer));
  if (IsOneOf(value, kParities)) m_strParity = value;
  m_strFlow = s.GetString("flow", "n", kValueBuffer);
}

void CSerialCfg::Save(platform::ProfileBatch& batch, std::string_view section) const {
  batch.Write(section, "baud", m_strBaud);
  batch.Write(section, "data_bits", m_strDataBits);
  batch.Write(section, "stop_bits", m_strStopBits);
  batch.Write(section, "parity", m_strParity);
  batch.Write(section, "flow", m_strFlow);
}

}  // namespace kz::config
