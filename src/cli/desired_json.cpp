#include "cli/desired_json.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/json_text.h"
#include "config/port_cfg.h"

namespace kz::cli {
namespace {

using nlohmann::ordered_json;
using editor::ConfigProblem;

// Deeper nesting than the schema's three levels is refused before parsing, so that no input can
// exhaust the stack.
constexpr int kMaxDepth = 16;

std::string KeyPath(std::string_view base, std::string_view key) {
  return std::string(base) + "[\"" + std::string(key) + "\"]";
}
std::string IndexPath(std::string_view base, std::size_t index) {
  return std::string(base) + "[" + std::to_string(index) + "]";
}

bool NestsTooDeep(std::string_view text) {
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_string) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxDepth) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

class Reader {
 public:
  explicit Reader(std::vector<ConfigProblem>& problems) : m_problems(problems) {}

  void Fault(std::string path, std::string message) {
    m_problems.push_back({std::move(path), std::move(message)});
  }

  // Integers within [min, max]; anything else is a fault at `path`.
  template <class T>
  void Integer(const ordered_json& value, const std::string& path, T& out) {
    constexpr auto min = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    constexpr auto max = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    const std::string range = std::to_string(min) + " to " + std::to_string(max);
    if (!value.is_number_integer()) {
      Fault(path, "Must be a whole number (" + range + ").");
      return;
    }
    if (value.is_number_unsigned() ? value.get<std::uint64_t>() > static_cast<std::uint64_t>(max)
                                   : value.get<std::int64_t>() < min ||
                                         value.get<std::int64_t>() > max) {
      Fault(path, "Out of range: must lie within " + range + ".");
      return;
    }
    out = static_cast<T>(value.get<std::int64_t>());
  }

  void Text(const ordered_json& value, const std::string& path, std::string& out) {
    if (auto text = TextFromJson(value)) {
      out = std::move(*text);
    } else {
      Fault(path, "Must be a text (a string, or {\"hex\": \"<bytes in hex>\"}).");
    }
  }

  // Runs the reader of each key of an object; unknown keys, keys not allowed here and missing
  // required ones are faults.
  using KeyReader = std::function<void(const ordered_json&, const std::string&)>;
  void Object(const ordered_json& value, const std::string& path,
              const std::map<std::string, KeyReader, std::less<>>& keys,
              std::initializer_list<const char*> required = {}) {
    if (!value.is_object()) {
      Fault(path, "Must be an object.");
      return;
    }
    for (const auto& [key, item] : value.items()) {
      const auto it = keys.find(key);
      if (it == keys.end()) {
        Fault(KeyPath(path, key), "Unknown key.");
      } else {
        it->second(item, KeyPath(path, key));
      }
    }
    for (const char* key : required) {
      if (!value.contains(key)) Fault(KeyPath(path, key), "Missing: this key is required.");
    }
  }

  template <class T>
  void List(const ordered_json& value, const std::string& path, std::vector<T>& out,
            const std::function<void(const ordered_json&, const std::string&, T&)>& item) {
    if (!value.is_array()) {
      Fault(path, "Must be a list.");
      return;
    }
    out.resize(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) item(value[i], IndexPath(path, i), out[i]);
  }

  template <class T>
  KeyReader IntegerKey(T& out) {
    return [this, &out](const ordered_json& v, const std::string& p) { Integer(v, p, out); };
  }
  KeyReader TextKey(std::string& out) {
    return [this, &out](const ordered_json& v, const std::string& p) { Text(v, p, out); };
  }

  void General(const ordered_json& value, editor::DesiredGeneral& out) {
    std::map<std::string, KeyReader, std::less<>> keys;
    for (std::size_t i = 0; i < editor::kGeneralKeyCount; ++i) {
      const editor::GeneralKey& key = editor::kGeneralKeys[i];
      keys[key.name] = [this, &out, i, key](const ordered_json& v, const std::string& p) {
        if (key.text) {
          std::string text;
          const std::size_t faults = m_problems.size();
          Text(v, p, text);
          if (m_problems.size() == faults) out[i] = std::move(text);
        } else {
          int number = 0;
          const std::size_t faults = m_problems.size();
          Integer(v, p, number);
          if (m_problems.size() == faults) out[i] = number;
        }
      };
    }
    Object(value, "general", keys);
  }

  void Transfer(const ordered_json& value, const std::string& path, editor::DesiredTransfer& t) {
    Object(value, path,
           {{"station number", IntegerKey(t.station_number)},
            {"ID", IntegerKey(t.id)},
            {"datalog file", TextKey(t.datalog_file)},
            {"new file mode", IntegerKey(t.new_file_mode)},
            {"new file synch mode", IntegerKey(t.new_file_synch_mode)},
            {"data file", TextKey(t.data_file)}},
           {"station number", "ID"});
  }

  void Port(const ordered_json& value, const std::string& path, editor::DesiredPort& p) {
    std::string type;
    std::map<std::string, KeyReader, std::less<>> keys = {
        {"type", TextKey(type)}, {"number", IntegerKey(p.number)}};
    const bool serial = value.is_object() && value.contains("type") && value["type"] == "COM";
    if (serial) {
      keys["baud"] = TextKey(p.baud);
      keys["data_bits"] = TextKey(p.data_bits);
      keys["stop_bits"] = TextKey(p.stop_bits);
      keys["parity"] = TextKey(p.parity);
      keys["flow"] = TextKey(p.flow);
    }
    const std::size_t faults = m_problems.size();
    Object(value, path, keys, {"type", "number"});
    if (m_problems.size() != faults || !value.is_object()) return;
    if (type == "UDP") {
      p.type = config::PORT_UDP;
    } else if (type == "TCP") {
      p.type = config::PORT_TCP;
    } else if (type == "COM") {
      p.type = config::PORT_SERIAL;
    } else {
      Fault(KeyPath(path, "type"), "Must be \"UDP\", \"TCP\" or \"COM\".");
    }
  }

  void Scheduled(const ordered_json& value, const std::string& path, editor::DesiredScheduled& s) {
    Object(value, path,
           {{"sync polling", IntegerKey(s.sync_polling)},
            {"sync clock", IntegerKey(s.sync_clock)},
            {"poll interval", IntegerKey(s.poll_interval)},
            {"sync start time", IntegerKey(s.sync_start_time)},
            {"interval unit", IntegerKey(s.interval_unit)},
            {"station number", IntegerKey(s.station_number)},
            {"clock source", IntegerKey(s.clock_source)},
            {"description", TextKey(s.description)},
            {"reserved", TextKey(s.reserved)},
            {"port", TextKey(s.port)},
            {"xfer id", IntegerKey(s.xfer_id)}});
  }

  void Top(const ordered_json& value, editor::DesiredConfig& desired) {
    if (!value.is_object()) {
      Fault("$", "Must be an object with \"general\", \"transfers\", \"ports\" or \"scheduled\".");
      return;
    }
    for (const auto& [key, item] : value.items()) {
      if (key == "general") {
        General(item, desired.general.emplace());
      } else if (key == "transfers") {
        List<editor::DesiredTransfer>(
            item, key, desired.transfers.emplace(),
            [this](const ordered_json& v, const std::string& p, editor::DesiredTransfer& t) {
              Transfer(v, p, t);
            });
      } else if (key == "ports") {
        List<editor::DesiredPort>(
            item, key, desired.ports.emplace(),
            [this](const ordered_json& v, const std::string& p, editor::DesiredPort& port) {
              Port(v, p, port);
            });
      } else if (key == "scheduled") {
        List<editor::DesiredScheduled>(
            item, key, desired.scheduled.emplace(),
            [this](const ordered_json& v, const std::string& p, editor::DesiredScheduled& s) {
              Scheduled(v, p, s);
            });
      } else {
        Fault(KeyPath("$", key), "Unknown key.");
      }
    }
  }

 private:
  std::vector<ConfigProblem>& m_problems;
};

}  // namespace

bool DesiredFromJson(std::string_view text, editor::DesiredConfig& desired,
                     std::vector<ConfigProblem>& problems) {
  const std::size_t before = problems.size();
  if (NestsTooDeep(text)) {
    problems.push_back({"$", "Not the desired configuration: nested more than " +
                                 std::to_string(kMaxDepth) + " levels deep."});
    return false;
  }
  ordered_json value;
  try {
    value = ordered_json::parse(text);
  } catch (const ordered_json::exception& e) {
    // Syntax errors, and numbers too large for any type (out_of_range 406), alike.
    std::string why = e.what();
    if (const auto end = why.find("] "); why.front() == '[' && end != std::string::npos) {
      why.erase(0, end + 2);
    }
    problems.push_back({"$", "Not JSON: " + why});
    return false;
  }
  Reader(problems).Top(value, desired);
  return problems.size() == before;
}

}  // namespace kz::cli
