#include "config/connection_cfg.h"

#include "config/data_file_index.h"
#include "config/number_text.h"
#include "config/record_io.h"

namespace kz::config {
namespace {

// Read buffers of the server's format: 250 bytes for the modes, 350 for the rest.
constexpr std::size_t kModeBuffer = 250;
constexpr std::size_t kTextBuffer = 350;

}  // namespace

void CConnectionCfg::SetDataFile(std::string value) {
  if (m_pIndex) {
    m_pIndex->Remove(m_strDataFile, !IsRemoved());
    m_pIndex->Add(value, !IsRemoved());
  }
  m_strDataFile = std::move(value);
}

void CConnectionCfg::SetRemoved(bool removed) {
  if (m_pIndex && removed != IsRemoved()) {
    m_pIndex->Remove(m_strDataFile, !IsRemoved());
    m_pIndex->Add(m_strDataFile, !removed);
  }
  m_bRemoved = removed ? 1 : 0;
}

void CConnectionCfg::AttachIndex(DataFileIndex* index) {
  m_pIndex = index;
  if (m_pIndex) m_pIndex->Add(m_strDataFile, !IsRemoved());
}

void CConnectionCfg::Load(const platform::ProfileDocument& doc, std::string_view section) {
  const platform::ProfileDocument::Section s = doc.FindSection(section);
  m_nNewFileMode = ParseLeadingInt(s.GetString("new file mode", "", kModeBuffer));
  m_nNewFileSynchMode = ParseLeadingInt(s.GetString("new file synch mode", "", kModeBuffer));
  SetDataFile(s.GetString("data file", "", kTextBuffer));
  m_nStationNumber = ParseLeadingInt(s.GetString("station number", "", kTextBuffer));
  m_nID = ParseLeadingInt(s.GetString("ID", "", kTextBuffer));
  m_strDatalogFile = s.GetString("datalog file", "", kTextBuffer);
}

void CConnectionCfg::Save(platform::ProfileBatch& batch, std::string_view section) const {
  batch.Write(section, "new file mode", std::to_string(m_nNewFileMode));
  batch.Write(section, "new file synch mode", std::to_string(m_nNewFileSynchMode));
  batch.Write(section, "data file", m_strDataFile);
  batch.Write(section, "station number", std::to_string(m_nStationNumber));
  batch.Write(section, "ID", std::to_string(m_nID));
  batch.Write(section, "datalog file", m_strDatalogFile);
}

int CConnectionCfg::ReadWrite(const std::string& path, const std::string& section, bool save) {
  return ReadWriteRecord(*this, path, section, save);
}

}  // namespace kz::config
