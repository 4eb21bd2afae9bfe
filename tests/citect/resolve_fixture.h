// Shared by the tag resolution tests: a stand-in Citect installation with project "Water", a
// folder of station project files, trend tag records to resolve, and a scripted UI that also
// logs the progress window (shown, hidden, second-line texts) and lets a test press its Cancel.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "citect/record/citect_trend_tag.h"
#include "citect/tag_resolver.h"
#include "projfiles/cancel_dlg.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {

class ResolveUi : public test::ScriptedUi {
 public:
  // "show", "hide", "line2:<text>", "box:<caption>", "owner:on"/"owner:off", in order.
  std::vector<std::string> events;
  projfiles::CCancelDlg* dlg = nullptr;  // the progress window last shown; not owned

  void ShowModeless(ui::Window& w) override {
    ScriptedUi::ShowModeless(w);
    dlg = dynamic_cast<projfiles::CCancelDlg*>(&w);
    events.push_back("show");
  }
  void CloseModeless(ui::Window& w) override {
    ScriptedUi::CloseModeless(w);
    events.push_back("hide");
  }
  void Refresh(ui::Window& w) override {
    ScriptedUi::Refresh(w);
    auto* d = dynamic_cast<projfiles::CCancelDlg*>(&w);
    if (d && d->m_strLine2 != line2_) events.push_back("line2:" + (line2_ = d->m_strLine2));
  }
  ui::Answer MessageBox(std::string_view text, std::string_view caption, ui::Buttons buttons,
                        ui::Icon icon) override {
    events.push_back("box:" + std::string(caption));
    return ScriptedUi::MessageBox(text, caption, buttons, icon);
  }
  // Cancel is pressed during the check numbered `check` (1 for the first).
  void PressCancelAtCheck(int check) {
    for (int i = 1; i < check; ++i) during_pump.push_back([] {});
    during_pump.push_back([this] { dlg->OnCancel(); });
  }

 private:
  std::string line2_;
};

// Expected binding of one record after a run.
struct Bound {
  std::string station, file, datalog, tag;
  bool operator==(const Bound&) const = default;
  friend void PrintTo(const Bound& b, std::ostream* os) {
    *os << '{' << b.station << " | " << b.file << " | " << b.datalog << " | " << b.tag << '}';
  }
};

class ResolveTest : public test::TempEnvTest {
 protected:
  void SetUp() override { install_.user_folder = env_.Path("citect/User"); }

  // Writes the installation with project "Water" holding these variables.
  void Install(std::vector<test::CitectVariable> variables) {
    install_.projects = {{"Water", "", {}, std::move(variables)}};
    ASSERT_TRUE(test::WriteCitectInstall(install_));
  }
  // A station project file of the folder, with CRLF line ends.
  void Kpj(const std::string& name, const std::string& lines) {
    std::string text;
    for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    test::WriteFile(env_.Path("kpj") / name, text);
  }
  std::string Folder() const { return env_.Path("kpj").string() + "/"; }
  std::string KpjPath(const std::string& name) const { return Folder() + name; }
  // A selected trend tag with that expression (and station name, as a grid edit may leave it).
  CCitectTrendTag& Tag(const std::string& expr, const std::string& station = "") {
    auto& t = tags_.Add();
    t.m_strCitectProj = "Water";
    t.m_strTrendVar = "T" + std::to_string(tags_.size());
    t.m_strExpr = expr;
    t.m_strStaName = station;
    return t;
  }
  int Resolve() {
    ResolveRequest request{"Water", {}, Folder()};
    for (std::size_t i = 0; i < tags_.size(); ++i) request.tags.push_back(&tags_[i]);
    return ResolveTags(ui_, request, [this](bool on) {
      ui_.events.push_back(on ? "owner:on" : "owner:off");
    });
  }
  static Bound BoundOf(const CCitectTrendTag& t) {
    return {t.m_strStaName, t.m_strProjFile, t.m_strDatalog, t.m_strTagName};
  }

  test::CitectInstall install_;
  CCitectTrendTagArray tags_;
  ResolveUi ui_;
};

}  // namespace kz::citect
