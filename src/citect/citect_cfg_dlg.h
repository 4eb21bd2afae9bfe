// CCitectCfgDlg: the presenter of the modal dialog "Citect Trend Configuration", the editor of the
// Citect edition's trend tag list. The configure operation runs it through UiService::RunModal
// when its options ask for "type=trend"; it touches no configuration file.
//
// It loads kztrendvars.dbf when it opens and writes it only on OK; Cancel discards every addition,
// removal and grid edit. Owns the data manager (and so the list) and the grid presenter over that
// list; the UI service is borrowed and must outlive the dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "citect/citect_tag_grid.h"
#include "citect/record/citect_trend_tag.h"
#include "editor/editor_dialog.h"
#include "projfiles/citect_data_mgr.h"
#include "ui/ui_service.h"

namespace kz::citect {

class CCitectCfgDlg : public editor::CEditorDialog {
 public:
  static constexpr int kTemplateId = 217;
  static constexpr const char* kCaption = "Citect Trend Configuration";
  static constexpr const char* kExplanation =
      "The list below shows the current Citect trend configuration for this server. You may add "
      "or remove tags from the list by clicking \"Add New\" or \"Remove\". You may edit each "
      "tag's properties by clicking within the grid.";
  static constexpr const char* kErrorCaption = "Error";
  static constexpr const char* kNoTagsSelected = "No tags selected.";
  static constexpr const char* kRemoveQuestion = "Remove selected tags?";
  static constexpr const char* kRemoveCaption = "Confirm Remove";
  static constexpr const char* kNoWarnings = "No warnings found.";
  static constexpr const char* kVerifiedCaption = "Verified";

  using HelpFn = std::function<void(std::uint32_t context_id)>;
  // Runs the add trend tags wizard modally. When it ends with Finish: fills `result` with copies
  // of the records the user finished with, in the wizard's order, and returns true.
  using AddTagsFn = std::function<bool(CCitectTrendTagArray& result)>;

  // `help` opens the edition's help file (nothing when empty); `add_tags` empty runs the wizard.
  explicit CCitectCfgDlg(ui::UiService& ui, HelpFn help = {}, AddTagsFn add_tags = {});
  ~CCitectCfgDlg() override;
  CCitectCfgDlg(const CCitectCfgDlg&) = delete;
  CCitectCfgDlg& operator=(const CCitectCfgDlg&) = delete;

  int TemplateId() const override { return kTemplateId; }

  // Loads the list (a missing or unreadable store gives an empty one; the data manager shows what
  // it must) and creates the grid over it, in list order, multi-selecting.
  void OnInitDialog();
  // Saves the list; false, after telling the user, when it could not be written: the dialog then
  // stays open so that nothing is lost.
  bool OnOK();
  void OnAddNew();
  // Removes the records of the selected rows after asking.
  void OnRemove();
  // Verifies the list, showing its phases, then the warnings or that there are none.
  void OnVerifyTags();
  void OnHelp() const;

  // Null before OnInitDialog.
  CCitectTagGrid* grid() const { return m_pGrid.get(); }
  const CCitectTrendTagArray& tags() const { return m_data.m_tags; }

 private:
  ui::UiService& ui_;
  HelpFn help_;
  AddTagsFn add_tags_;
  projfiles::CCitectDataMgr m_data;
  std::unique_ptr<CCitectTagGrid> m_pGrid;
};

}  // namespace kz::citect
