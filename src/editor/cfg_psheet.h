// CCfgPSheet: the presenter of the modal property sheet "Configure Datalog Server", in which the
// user edits one configuration model. The configure operation builds it on the model it loaded,
// sets the start page and runs it through UiService::RunModal; OK means "save the model".
//
// The sheet owns its five pages (both General variants; only the edition's one is shown) and
// borrows the model and the UI service, which must outlive it. It writes nothing to the model
// itself: the pages do.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/page_sheet.h"

namespace kz::config {
class CCfgMgr;
}

namespace kz::editor {

class CPropertyPage;
class CCfgPage1;
class CCfgPage2;
class CCfgPage3;
class CCfgPage4;
class CCfgPage5;

class CCfgPSheet : public CPageSheet {
 public:
  static constexpr const char* kCaption = "Configure Datalog Server";
  static constexpr int kPageCount = 4;
  // Page indexes, in tab order.
  static constexpr int kGeneralPage = 0;
  static constexpr int kClientTransfersPage = 1;
  static constexpr int kUdpTcpPortsPage = 2;
  static constexpr int kComPortsPage = 3;
  // The page that "page=scheduled_xfers" opens.
  static constexpr int kScheduledTransfersPage = kUdpTcpPortsPage;

  static constexpr const char* kNoPortQuestion =
      "No communications port have been configured. Do you want to close without configuring "
      "communications?";
  static constexpr const char* kWarningCaption = "Warning";

  // `model` is not owned and must outlive the sheet; null only for a sheet that is never run.
  // `options` is "" or "product=citect". `ui` is not owned.
  CCfgPSheet(config::CCfgMgr* model, std::string options, ui::UiService& ui, HelpFn help = {});
  ~CCfgPSheet() override;

  config::CCfgMgr* GetCfgMgr() const { return m_pCfgMgr; }
  const std::string& GetOptions() const { return m_strOptions; }
  // The Citect edition: the options hold "product=citect" (case-sensitive, anywhere).
  bool IsCitect() const;

  // The page index shown first (0 unless set); only before the sheet runs.
  void SetStartPage(int index) { m_nStartPage = index; }
  int GetStartPage() const { return m_nStartPage; }

  // The page at a tab index (0 to kPageCount - 1): the edition's General page, then Client
  // Transfers, UDP/TCP Ports and COM Ports.
  CPropertyPage& GetPage(int index) const;
  CPropertyPage& GetActivePage() const { return GetPage(GetActiveIndex()); }

  // The view is about to show: activates the start page (filling it).
  void OnInitDialog();
  // A tab click: the active page may refuse to be left (false; it stays active).
  virtual bool SetActivePage(int index);
  // The OK button: asks about a configuration without live ports, then lets the active page
  // validate. True when the sheet may close with OK.
  bool OnOK();
  // The Help button: the topic of the active page.
  void OnHelp() const;

  CCfgPage1& page1() const { return *m_pPage1; }
  CCfgPage2& page2() const { return *m_pPage2; }
  CCfgPage3& page3() const { return *m_pPage3; }
  CCfgPage4& page4() const { return *m_pPage4; }
  CCfgPage5& page5() const { return *m_pPage5; }

 private:
  CSheetPage& PageAt(int index) override;

  config::CCfgMgr* m_pCfgMgr;
  std::string m_strOptions;
  int m_nStartPage = 0;
  std::unique_ptr<CCfgPage1> m_pPage1;
  std::unique_ptr<CCfgPage2> m_pPage2;
  std::unique_ptr<CCfgPage3> m_pPage3;
  std::unique_ptr<CCfgPage4> m_pPage4;
  std::unique_ptr<CCfgPage5> m_pPage5;
  std::array<CPropertyPage*, kPageCount> m_pages{};
};

}  // namespace kz::editor
