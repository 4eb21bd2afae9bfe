// CCfgPSheet: the presenter of the modal property sheet "Configure Datalog Server", in which the
// user edits one configuration model. The configure operation builds it on the model it loaded,
// sets the start page and runs it through UiService::RunModal; OK means "save the model".
//
// This is the sheet's frame: the model, the edition and the start page. Its pages extend it.
#pragma once

#include <string>

#include "ui/ui_service.h"

namespace kz::config {
class CCfgMgr;
}

namespace kz::editor {

class CCfgPSheet : public ui::Window {
 public:
  static constexpr const char* kCaption = "Configure Datalog Server";
  static constexpr int kScheduledTransfersPage = 2;

  // `model` is not owned and must outlive the sheet. `options` is "" or "product=citect".
  CCfgPSheet(config::CCfgMgr* model, std::string options);

  config::CCfgMgr* GetCfgMgr() const { return m_pCfgMgr; }
  const std::string& GetOptions() const { return m_strOptions; }
  // The Citect edition: the options hold "product=citect" (case-sensitive, anywhere).
  bool IsCitect() const;

  // The page index shown first (0 unless set).
  void SetStartPage(int index) { m_nStartPage = index; }
  int GetStartPage() const { return m_nStartPage; }

 private:
  config::CCfgMgr* m_pCfgMgr;
  std::string m_strOptions;
  int m_nStartPage = 0;
};

}  // namespace kz::editor
