// DesiredConfig: a configuration as a script wants it, in the shape `config show --json` prints:
// general settings by their file keys, client transfers, ports and scheduled transfers. A part
// that is absent stays as it is; a general key that is absent keeps its value. The host reads it
// from JSON; ApplyDesired (config_apply.h) makes the model so through the editor's presenters.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kz::editor {

// The general settings' keys in file order, and whether each holds a text or a number.
struct GeneralKey {
  const char* name;
  bool text;
};
inline constexpr std::size_t kGeneralKeyCount = 12;
inline constexpr std::array<GeneralKey, kGeneralKeyCount> kGeneralKeys = {{
    {"mode", false},
    {"new file mode", false},
    {"new file synch mode", false},
    {"auto mode data path", true},
    {"auto mode base name choice", false},
    {"set sta clock", false},
    {"clock tolerance", false},
    {"pc time format", false},
    {"enable log", false},
    {"log dir", true},
    {"use scaling", false},
    {"check duplicates", false},
}};
enum GeneralKeyIndex : std::size_t {
  kKeyMode,
  kKeyNewFileMode,
  kKeyNewFileSynchMode,
  kKeyAutoModeDataPath,
  kKeyBaseNameChoice,
  kKeySetStaClock,
  kKeyClockTolerance,
  kKeyPcTimeFormat,
  kKeyEnableLog,
  kKeyLogDir,
  kKeyUseScaling,
  kKeyCheckDuplicates,
};

using GeneralValue = std::variant<int, std::string>;
using DesiredGeneral = std::array<std::optional<GeneralValue>, kGeneralKeyCount>;

// A client transfer; omitted keys take the values of a new record.
struct DesiredTransfer {
  int station_number = -1;
  int id = -1;
  std::string datalog_file;
  int new_file_mode = 0;
  int new_file_synch_mode = -1;
  std::string data_file;
};

// A port: its kind and number, and for a serial port its line settings as the file stores them
// (omitted ones: what the COM dialog stores for a new port).
struct DesiredPort {
  int type = 0;  // config::PORT_UDP, PORT_SERIAL, PORT_TCP
  int number = 0;
  std::string baud = "9600";
  std::string data_bits = "8";
  std::string stop_bits = "1";
  std::string parity = "n";
  std::string flow = "n";
};

// A scheduled transfer; omitted keys take the values of a new record.
struct DesiredScheduled {
  int sync_polling = 1;
  int sync_clock = 0;
  std::uint32_t poll_interval = 1;
  std::uint32_t sync_start_time = 0;
  int interval_unit = 0;
  int station_number = 1;
  int clock_source = 0;
  std::string description;
  std::string reserved;
  std::string port;
  int xfer_id = 0;
};

struct DesiredConfig {
  std::optional<DesiredGeneral> general;
  std::optional<std::vector<DesiredTransfer>> transfers;
  std::optional<std::vector<DesiredPort>> ports;
  std::optional<std::vector<DesiredScheduled>> scheduled;
};

}  // namespace kz::editor
