// Ports played by a script: matched by their entry text ("COM1", "UDP1658"), removed as the pages'
// Remove does, added through Add and the port's dialog, a serial port's settings changed through
// Configure and the COM dialog.
#include <deque>
#include <unordered_map>

#include "config/cfg_mgr.h"
#include "config/ip_port_cfg.h"
#include "config/serial_cfg.h"
#include "editor/apply_steps.h"
#include "editor/cfg_com.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"

namespace kz::editor {
namespace {

using config::CSerialCfg;

std::string EntryText(const DesiredPort& port) {
  const char* kind = port.type == config::PORT_SERIAL ? "COM"
                     : port.type == config::PORT_TCP  ? "TCP"
                                                      : "UDP";
  return kind + std::to_string(port.number);
}

struct LineSettings {
  std::string baud, data_bits, stop_bits, parity, flow;
};

LineSettings Settings(const CSerialCfg& port) {
  return {port.GetBaud(), port.GetDataBits(), port.GetStopBits(), port.GetParity(),
          port.GetFlow()};
}

bool SameSettings(const CSerialCfg& port, const DesiredPort& want) {
  return port.GetBaud() == want.baud && port.GetDataBits() == want.data_bits &&
         port.GetStopBits() == want.stop_bits && port.GetParity() == want.parity &&
         port.GetFlow() == want.flow;
}

template <std::size_t N>
int ChoiceOf(const std::array<CCfgCOM::Choice, N>& choices, const std::string& stored) {
  for (std::size_t i = 0; i < N; ++i) {
    if (stored == choices[i].stored) return static_cast<int>(i);
  }
  return -1;
}

template <std::size_t N>
std::string ChoiceList(const std::array<CCfgCOM::Choice, N>& choices) {
  std::string text;
  for (const auto& choice : choices) text += (text.empty() ? "" : ", ") + Quoted(choice.stored);
  return text;
}

// The settings the COM dialog did not take, each as a problem.
void SettingProblems(const CSerialCfg& port, const DesiredPort& want, const std::string& path,
                     std::vector<ConfigProblem>& problems) {
  const auto check = [&](const char* key, const std::string& now, const std::string& wanted,
                         const char* label, const std::string& choices) {
    if (now != wanted) {
      problems.push_back({FieldPath(path, key), "Is none of the " + Quoted(label) +
                                                    " choices (" + choices + ")."});
    }
  };
  check("baud", port.GetBaud(), want.baud, "Baud:", ChoiceList(CCfgCOM::kBauds));
  check("data_bits", port.GetDataBits(), want.data_bits, "Data bits:",
        ChoiceList(CCfgCOM::kDataBits));
  check("stop_bits", port.GetStopBits(), want.stop_bits, "Stop bits:",
        ChoiceList(CCfgCOM::kStopBits));
  check("parity", port.GetParity(), want.parity, "Parity:", ChoiceList(CCfgCOM::kParities));
  if (port.GetFlow() != want.flow) {
    problems.push_back({FieldPath(path, "flow"),
                        std::string("The COM Port Configuration dialog stores flow control ") +
                            Quoted(CCfgCOM::kStoredFlow) + " only."});
  }
}

std::string SettingChanges(const LineSettings& was, const LineSettings& now) {
  std::string text;
  AppendChange(text, "baud", Quoted(was.baud), Quoted(now.baud));
  AppendChange(text, "data_bits", Quoted(was.data_bits), Quoted(now.data_bits));
  AppendChange(text, "stop_bits", Quoted(was.stop_bits), Quoted(now.stop_bits));
  AppendChange(text, "parity", Quoted(was.parity), Quoted(now.parity));
  AppendChange(text, "flow", Quoted(was.flow), Quoted(now.flow));
  return text;
}

class PortStep {
 public:
  PortStep(ApplyContext& ctx, const std::vector<DesiredPort>& want) : m_ctx(ctx), m_want(want) {}

  void Run(std::vector<std::string>& lines) {
    config::CCfgMgr& model = m_ctx.model;
    std::unordered_map<std::string, std::deque<int>> live;
    for (int i = model.GetFirstPort(); i != -1; i = model.GetNextPort(i)) {
      live[model.GetPort(i)->EntryText()].push_back(i);
    }
    std::vector<config::CPortCfg*> matched(m_want.size(), nullptr);
    std::vector<bool> kept(static_cast<std::size_t>(model.GetPortCount()), false);
    for (std::size_t j = 0; j < m_want.size(); ++j) {
      const auto it = live.find(EntryText(m_want[j]));
      if (it == live.end() || it->second.empty()) continue;
      kept[static_cast<std::size_t>(it->second.front())] = true;
      matched[j] = model.GetPort(it->second.front());
      it->second.pop_front();
    }
    for (int i = model.GetFirstPort(); i != -1; i = model.GetNextPort(i)) {
      if (kept[static_cast<std::size_t>(i)]) continue;
      lines.push_back("ports: removed " + model.GetPort(i)->DisplayText());
      model.RemovePort(i);
    }

    std::vector<std::size_t> pending;
    for (std::size_t j = 0; j < m_want.size(); ++j) pending.push_back(j);
    // A port refused for a number another port still holds is not retried: numbers are the match
    // key, so a number in use is in use in the desired state too.
    for (const std::size_t j : pending) {
      const std::string path = ItemPath("ports", j);
      if (!matched[j]) {
        if (Add(j, path)) lines.push_back(path + ": added " + m_added_text);
        continue;
      }
      auto* com = dynamic_cast<CSerialCfg*>(matched[j]);
      if (!com || SameSettings(*com, m_want[j])) continue;
      const LineSettings was = Settings(*com);
      if (Configure(*com, j, path)) {
        lines.push_back(path + ": changed " + com->EntryText() + ":" +
                        SettingChanges(was, Settings(*com)));
      }
    }
  }

 private:
  bool Add(std::size_t j, const std::string& path) {
    const DesiredPort& want = m_want[j];
    config::CCfgMgr& model = m_ctx.model;
    if (want.type == config::PORT_SERIAL) {
      auto* port = static_cast<CSerialCfg*>(model.AddPort(config::PORT_SERIAL));
      if (!Configure(*port, j, path)) {
        model.DiscardLastPort();
        return false;
      }
      m_added_text = port->DisplayText();
      return true;
    }
    auto* port = static_cast<config::CIpPortCfg*>(model.AddPort(config::PORT_UDP));
    m_ctx.ui.boxes.clear();
    CCfgUDP dialog(m_ctx.sheet.page2(), *port, model);
    dialog.OnInitDialog();
    dialog.m_nType = want.type == config::PORT_TCP ? CCfgUDP::kTypeTcp : CCfgUDP::kTypeUdp;
    dialog.m_strPortNumber = std::to_string(want.number);
    if (!dialog.OnOK()) {
      model.DiscardLastPort();
      m_ctx.result.problems.push_back({path, LastMessage(m_ctx.ui)});
      return false;
    }
    m_added_text = dialog.port().DisplayText();
    return true;
  }

  bool Configure(CSerialCfg& port, std::size_t j, const std::string& path) {
    const DesiredPort& want = m_want[j];
    m_ctx.ui.boxes.clear();
    CCfgCOM dialog(m_ctx.sheet.page3(), port, m_ctx.model);
    dialog.OnInitDialog();
    dialog.m_strComNumber = std::to_string(want.number);
    dialog.m_nBaud = ChoiceOf(CCfgCOM::kBauds, want.baud);
    dialog.m_nDataBits = ChoiceOf(CCfgCOM::kDataBits, want.data_bits);
    dialog.m_nStopBits = ChoiceOf(CCfgCOM::kStopBits, want.stop_bits);
    dialog.m_nParity = ChoiceOf(CCfgCOM::kParities, want.parity);
    dialog.m_nFlow = ChoiceOf(CCfgCOM::kFlows, want.flow);
    if (!dialog.OnOK()) {
      m_ctx.result.problems.push_back({path, LastMessage(m_ctx.ui)});
      return false;
    }
    const std::size_t before = m_ctx.result.problems.size();
    SettingProblems(port, want, path, m_ctx.result.problems);
    return m_ctx.result.problems.size() == before;
  }

  ApplyContext& m_ctx;
  const std::vector<DesiredPort>& m_want;
  std::string m_added_text;
};

}  // namespace

void ApplyPorts(ApplyContext& ctx, const std::vector<DesiredPort>& desired,
                std::vector<std::string>& lines) {
  PortStep(ctx, desired).Run(lines);
}

}  // namespace kz::editor
