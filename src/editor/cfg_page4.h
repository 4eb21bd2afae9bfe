// CCfgPage4: the Client Transfers page: the client transfers the server accepts when only
// configured stations may log (connection mode 0), with buttons to add them by hand (Edit
// Transfer dialog) or from a station project file (Add From File dialog), edit and remove them.
// Every confirmed dialog changes the model at once; Remove only marks the record removed.
//
// Borrows the sheet and through it the model (may be absent: the page then lists nothing).
#pragma once

#include <string>
#include <vector>

#include "editor/property_page.h"

namespace kz::editor {

class CCfgPage4 : public CPropertyPage {
 public:
  static constexpr int kTemplateId = 107;
  enum Control { kTransferList, kEdit, kRemove, kAddFromFile, kAddCustom };

  static constexpr const char* kAutoAccept = "Server set to automatically accept transfers";
  static constexpr const char* kRemoveQuestion = "Remove selected transfer?";

  struct Column {
    const char* title;
    int width;  // in the units of the list's font: a hint, the view decides
  };
  // One line of the list: its cells by column, and the record's index in the model's list.
  struct Row {
    std::vector<std::string> cells;
    int model_index = -1;
  };

  explicit CCfgPage4(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "Client Transfers"; }

  void OnInitDialog() override;
  // Shows the list and its buttons in mode 0, else only the notice.
  void OnSetActive() override;

  void OnAddCustom();
  void OnAddFromFile();
  // Also a double click or Enter on a line.
  void OnEdit();
  void OnRemove();

  // "Sta Num", "Datalog File", "Xfer ID", and in the standard edition "Store Records In".
  std::vector<Column> m_columns;
  // Live transfers in model order.
  std::vector<Row> m_rows;
  int m_nSelected = -1;  // row index
  bool m_bShowControls = true;
  bool m_bShowAutoNotice = false;

 private:
  void FillList();
  // The model index of the selected row, or -1 when no row (or a stale one) is selected.
  int SelectedModelIndex() const;
};

}  // namespace kz::editor
