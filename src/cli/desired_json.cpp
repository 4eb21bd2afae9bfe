#include "cli/desired_json.h"

#include <algorithm>
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

using editor::ConfigProblem;
using nlohmann::ordered_json;

// Deeper nesting than the schema's three levels is refused before parsing, so that no input can
// exhaust the stack.
constexpr int kMaxDepth = 16;

// Where a value sits in the document. The path is spelt out only when a fault names it: most
// values have none, and building thousands of path texts would cost more than reading them.
class Where {
 public:
  explicit Where(std::string_view root) : m_root(root) {}
  Where(const Where& parent, std::string_view key) : m_parent(&parent), m_key(key) {}
  Where(const Where& parent, std::size_t index) : m_parent(&parent), m_index(index) {}

  // `general["mode"]`, `transfers[3]`, `$`.
  std::string Path() const {
    if (!m_parent) return std::string(m_root);
    if (m_index != kNoIndex) return m_parent->Path() + "[" + std::to_string(m_index) + "]";
    return m_parent->Path() + "[\"" + std::string(m_key) + "\"]";
  }

 private:
  static constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);
  const Where* m_parent = nullptr;
  std::string_view m_root;
  std::string_view m_key;
  std::size_t m_index = kNoIndex;
};

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

// A client transfer's keys: the first two are required.
struct TransferKey {
  const char* name;
  int editor::DesiredTransfer::*number;
  std::string editor::DesiredTransfer::*text;
};
constexpr TransferKey kTransferKeys[] = {
    {"station number", &editor::DesiredTransfer::station_number, nullptr},
    {"ID", &editor::DesiredTransfer::id, nullptr},
    {"datalog file", nullptr, &editor::DesiredTransfer::datalog_file},
    {"new file mode", &editor::DesiredTransfer::new_file_mode, nullptr},
    {"new file synch mode", &editor::DesiredTransfer::new_file_synch_mode, nullptr},
    {"data file", nullptr, &editor::DesiredTransfer::data_file},
};

// The transfers of the list that were read while parsing, and their faults.
struct Streamed {
  std::vector<editor::DesiredTransfer> transfers;
  std::vector<ConfigProblem> faults;
};

class Reader {
 public:
  explicit Reader(std::vector<ConfigProblem>& problems) : m_problems(problems) {}

  void Fault(const Where& where, std::string message) {
    m_problems.push_back({where.Path(), std::move(message)});
  }

  // Integers within [min, max]; anything else is a fault at `where`. False on a fault.
  template <class T>
  bool Integer(const ordered_json& value, const Where& where, T& out) {
    constexpr auto min = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    constexpr auto max = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    const auto range = [] { return std::to_string(min) + " to " + std::to_string(max); };
    if (!value.is_number_integer()) {
      Fault(where, "Must be a whole number (" + range() + ").");
      return false;
    }
    if (value.is_number_unsigned()
            ? value.get<std::uint64_t>() > static_cast<std::uint64_t>(max)
            : value.get<std::int64_t>() < min || value.get<std::int64_t>() > max) {
      Fault(where, "Out of range: must lie within " + range() + ".");
      return false;
    }
    out = static_cast<T>(value.get<std::int64_t>());
    return true;
  }

  bool Text(const ordered_json& value, const Where& where, std::string& out) {
    if (auto text = TextFromJson(value)) {
      out = std::move(*text);
      return true;
    }
    Fault(where, "Must be a text (a string, or {\"hex\": \"<bytes in hex>\"}).");
    return false;
  }

  // Runs the reader of each key of an object; unknown keys, keys not allowed here and missing
  // required ones are faults.
  using KeyReader = std::function<void(const ordered_json&, const Where&)>;
  void Object(const ordered_json& value, const Where& where,
              const std::map<std::string, KeyReader, std::less<>>& keys,
              std::initializer_list<const char*> required = {}) {
    if (!value.is_object()) {
      Fault(where, "Must be an object.");
      return;
    }
    for (const auto& [key, item] : value.items()) {
      const auto it = keys.find(key);
      if (it == keys.end()) {
        Fault(Where(where, key), "Unknown key.");
      } else {
        it->second(item, Where(where, key));
      }
    }
    Required(value, where, required);
  }

  void Required(const ordered_json& value, const Where& where,
                std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
      if (!value.contains(key)) Fault(Where(where, key), "Missing: this key is required.");
    }
  }

  template <class T, class ReadItem>
  void List(const ordered_json& value, const Where& where, std::vector<T>& out,
            const ReadItem& item) {
    if (!value.is_array()) {
      Fault(where, "Must be a list.");
      return;
    }
    out.resize(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) item(value[i], Where(where, i), out[i]);
  }

  template <class T>
  KeyReader IntegerKey(T& out) {
    return [this, &out](const ordered_json& v, const Where& w) { Integer(v, w, out); };
  }
  KeyReader TextKey(std::string& out) {
    return [this, &out](const ordered_json& v, const Where& w) { Text(v, w, out); };
  }

  void General(const ordered_json& value, editor::DesiredGeneral& out) {
    std::map<std::string, KeyReader, std::less<>> keys;
    for (std::size_t i = 0; i < editor::kGeneralKeyCount; ++i) {
      const editor::GeneralKey& key = editor::kGeneralKeys[i];
      keys[key.name] = [this, &out, i, key](const ordered_json& v, const Where& w) {
        if (key.text) {
          std::string text;
          if (Text(v, w, text)) out[i] = std::move(text);
        } else {
          int number = 0;
          if (Integer(v, w, number)) out[i] = number;
        }
      };
    }
    Object(value, Where("general"), keys);
  }

  // Transfers come by the thousand: their keys are looked up in a table, not a map of readers.
  void Transfer(const ordered_json& value, const Where& where, editor::DesiredTransfer& t) {
    if (!value.is_object()) {
      Fault(where, "Must be an object.");
      return;
    }
    for (const auto& member : value.get_ref<const ordered_json::object_t&>()) {
      const std::string& key = member.first;
      const ordered_json& item = member.second;
      const auto* found = std::find_if(std::begin(kTransferKeys), std::end(kTransferKeys),
                                       [&key](const TransferKey& k) { return key == k.name; });
      if (found == std::end(kTransferKeys)) {
        Fault(Where(where, key), "Unknown key.");
      } else if (found->number) {
        Integer(item, Where(where, key), t.*found->number);
      } else {
        Text(item, Where(where, key), t.*found->text);
      }
    }
    Required(value, where, {kTransferKeys[0].name, kTransferKeys[1].name});
  }

  void Port(const ordered_json& value, const Where& where, editor::DesiredPort& p) {
    std::string type;
    std::map<std::string, KeyReader, std::less<>> keys = {{"type", TextKey(type)},
                                                          {"number", IntegerKey(p.number)}};
    const bool serial = value.is_object() && value.contains("type") && value["type"] == "COM";
    if (serial) {
      keys["baud"] = TextKey(p.baud);
      keys["data_bits"] = TextKey(p.data_bits);
      keys["stop_bits"] = TextKey(p.stop_bits);
      keys["parity"] = TextKey(p.parity);
      keys["flow"] = TextKey(p.flow);
    }
    const std::size_t faults = m_problems.size();
    Object(value, where, keys, {"type", "number"});
    if (m_problems.size() != faults || !value.is_object()) return;
    if (type == "UDP") {
      p.type = config::PORT_UDP;
    } else if (type == "TCP") {
      p.type = config::PORT_TCP;
    } else if (type == "COM") {
      p.type = config::PORT_SERIAL;
    } else {
      Fault(Where(where, "type"), "Must be \"UDP\", \"TCP\" or \"COM\".");
    }
  }

  void Scheduled(const ordered_json& value, const Where& where, editor::DesiredScheduled& s) {
    Object(value, where,
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

  void Top(const ordered_json& value, editor::DesiredConfig& desired, Streamed& streamed) {
    const Where top("$");
    if (!value.is_object()) {
      Fault(top, "Must be an object with \"general\", \"transfers\", \"ports\" or \"scheduled\".");
      return;
    }
    for (const auto& [key, item] : value.items()) {
      if (key == "general") {
        General(item, desired.general.emplace());
      } else if (key == "transfers") {
        if (!item.is_array()) {
          Fault(Where(key), "Must be a list.");
        } else {
          // Its items were read as the parser met them (TransferStream).
          desired.transfers = std::move(streamed.transfers);
          m_problems.insert(m_problems.end(), std::make_move_iterator(streamed.faults.begin()),
                            std::make_move_iterator(streamed.faults.end()));
        }
      } else if (key == "ports") {
        List(item, Where(key), desired.ports.emplace(),
             [this](const ordered_json& v, const Where& w, editor::DesiredPort& port) {
               Port(v, w, port);
             });
      } else if (key == "scheduled") {
        List(item, Where(key), desired.scheduled.emplace(),
             [this](const ordered_json& v, const Where& w, editor::DesiredScheduled& s) {
               Scheduled(v, w, s);
             });
      } else {
        Fault(Where(top, key), "Unknown key.");
      }
    }
  }

 private:
  std::vector<ConfigProblem>& m_problems;
};

// Transfers come by the ten thousand. Each item of the top object's "transfers" list is read
// as soon as the parser has it and then dropped from the document, so the document never holds
// them all: a tenth of the memory, and the reading stays in the cache.
class TransferStream {
 public:
  using Event = ordered_json::parse_event_t;

  // The parser's callback; false drops what was just parsed.
  bool operator()(int depth, Event event, ordered_json& parsed) {
    if (depth == 0 && (event == Event::object_start || event == Event::array_start)) {
      m_topIsObject = event == Event::object_start;
    } else if (depth == 1 && event == Event::key) {
      m_key = parsed.get<std::string>();
    } else if (depth == 1 && (event == Event::array_start || event == Event::object_start)) {
      m_inList = m_topIsObject && m_key == "transfers" && event == Event::array_start;
      // Of two "transfers" keys the later holds, as in the document.
      if (m_inList) m_streamed = {};
    } else if (depth == 1 && (event == Event::array_end || event == Event::object_end)) {
      m_inList = false;
    } else if (depth == 2 && m_inList &&
               (event == Event::object_end || event == Event::array_end || event == Event::value)) {
      const Where item(m_list, m_streamed.transfers.size());
      Reader(m_streamed.faults).Transfer(parsed, item, m_streamed.transfers.emplace_back());
      return false;
    }
    return true;
  }

  Streamed& streamed() { return m_streamed; }

 private:
  const Where m_list{"transfers"};
  bool m_topIsObject = false;
  bool m_inList = false;
  std::string m_key;
  Streamed m_streamed;
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
  TransferStream stream;
  try {
    value = ordered_json::parse(text, std::ref(stream));
  } catch (const ordered_json::exception& e) {
    // Syntax errors, and numbers too large for any type (out_of_range 406), alike.
    std::string why = e.what();
    if (const auto end = why.find("] "); why.front() == '[' && end != std::string::npos) {
      why.erase(0, end + 2);
    }
    problems.push_back({"$", "Not JSON: " + why});
    return false;
  }
  Reader(problems).Top(value, desired, stream.streamed());
  return problems.size() == before;
}

}  // namespace kz::cli
