// CPortCfg: one port the datalog server listens on, the base of the UDP, TCP and serial (COM)
// port records. The configuration model owns every port record; the port pages edit them.
#pragma once

#include <string>
#include <string_view>

#include "config/cfg_result.h"
#include "platform/profile.h"
#include "platform/profile_document.h"

namespace kz::config {

inline constexpr int PORT_UDP = 0;
inline constexpr int PORT_SERIAL = 1;
inline constexpr int PORT_TCP = 2;

class CPortCfg {
 public:
  explicit CPortCfg(int type) : m_nType(type) {}
  virtual ~CPortCfg() = default;
  CPortCfg(const CPortCfg&) = delete;
  CPortCfg& operator=(const CPortCfg&) = delete;

  int GetType() const { return m_nType; }
  bool IsRemoved() const { return m_bRemoved != 0; }
  void SetRemoved(bool removed) { m_bRemoved = removed ? 1 : 0; }

  // The COM number of a serial port, the IP port number of a UDP or TCP port.
  virtual int GetNumber() const = 0;
  // The port's entry in the "ports" section and the name of its own section: "COM%d", "UDP%d",
  // "TCP%d".
  virtual std::string EntryText() const = 0;
  // What the port pages list: "UDP%d", "TCP%d", "COM%d <settings>".
  virtual std::string DisplayText() const { return EntryText(); }

  // The port's own section: only a serial port has one; the others read and write nothing.
  virtual void Load(const platform::ProfileDocument& /*doc*/, std::string_view /*section*/) {}
  virtual void Save(platform::ProfileBatch& /*batch*/, std::string_view /*section*/) const {}

  // Load (save false) or save (save true) the port's section of the file at `path`.
  // Returns kCfgOk, or kCfgFailed when a save could not replace the file.
  int ReadWrite(const std::string& path, const std::string& section, bool save);

 private:
  int m_bRemoved = 0;  // never stored: a removed port is not written
  int m_nType;
};

}  // namespace kz::config
