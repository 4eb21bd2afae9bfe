// CCitectTagGrid: the presenter of the trend tag grid that the trend configuration dialog and the
// add trend tags wizard show. It decides what each cell holds, offers and draws, what the keys
// that open a cell do, how the rows are sorted and how a selection is kept, and stores every
// edit in the record that the row shows (through the row order of CCitectDataSource, never by
// row number). The view (src/ui/qt) draws it, reports selection changes and calls the On*
// handlers.
//
// Owns its columns, its row order and the data manager that supplies and caches the drop-list
// choices; the records belong to the grid's owner, which must outlive the grid and call
// ReloadTags after adding or removing records.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "citect/citect_data_source.h"
#include "citect/citect_grid_col.h"
#include "citect/record/citect_trend_tag.h"
#include "projfiles/citect_data_mgr.h"
#include "ui/ui_service.h"

namespace kz::citect {

// The profile section of the wizard's and the grid's remembered choices.
inline constexpr const char* kCitectAddTagSection = "citect add tag";
inline constexpr const char* kGridLastProjFileEntry = "grid last proj file";

inline constexpr std::uint32_t kAttentionBackground = 0xFFFF00;  // RGB yellow
inline constexpr std::uint32_t kAttentionText = 0xFF0000;        // RGB red

// The records a grid shows, by list position.
class CCitectRecInterface {
 public:
  virtual ~CCitectRecInterface() = default;
  // The record at `pos`; null when there is none.
  virtual CCitectTrendTag* GetRecord(int pos) const = 0;
  virtual int GetCount() const = 0;
};

class CCitectTagGrid {
 public:
  // Everything but the expression.
  static constexpr std::array<int, 6> kStandardColumns{kCitectProjCol,     kCitectTrendVarCol,
                                                       kCitectProjFileCol, kCitectStaNameCol,
                                                       kCitectDatalogCol,  kCitectTagNameCol};
  // How the project file chooser opens from the keyboard, for tool tips and the button.
  static constexpr const char* kChooseFileKeys = "Choose a project file (F4 or Alt+Down)";

  // What F4 or Alt+Down does on a cell.
  enum class OpenKeyAction {
    None,          // nothing: the key is not the grid's
    ChooseFile,    // the project file chooser (OnEllipsis)
    ShowDropList,  // the cell's editor, with its list open
  };

  struct Cell {
    int col;
    int row;  // -1 and below: heading rows
  };

  // A grid over the records of a list, or over borrowed pointers (the wizard's tags to add);
  // `columns` are column ids in display order. `ui` shows the file dialog and the data
  // manager's messages; it must outlive the grid.
  CCitectTagGrid(CCitectTrendTagArray& tags, ui::UiService& ui,
                 std::span<const int> columns = kStandardColumns);
  CCitectTagGrid(std::vector<CCitectTrendTag*>& tags, ui::UiService& ui,
                 std::span<const int> columns = kStandardColumns);
  ~CCitectTagGrid();
  CCitectTagGrid(const CCitectTagGrid&) = delete;
  CCitectTagGrid& operator=(const CCitectTagGrid&) = delete;

  // --- layout
  int GetNumberCols() const { return static_cast<int>(columns_.size()); }
  const CCitectGridCol& GetColumn(int col) const { return *columns_[col]; }
  int GetColWidth(int col) const { return widths_[col]; }
  // Nothing happens when no shown column has the id.
  void SetColWidthById(int id, int width);
  // The group label over a display column ("Citect", "KALDEN"); empty outside the columns.
  std::string_view GetGroupLabel(int col) const;

  // --- rows
  int GetNumberRows() const { return source_.RowCount(); }
  // Rows in list order again, one per record; the heading keeps its last sort arrow.
  void ReloadTags();
  // The record a row shows; null outside the rows.
  CCitectTrendTag* GetRecordAtRow(int row) const;
  const CCitectDataSource& GetDataSource() const { return source_; }

  // --- cells
  const std::string& GetText(int row, int col) const;
  // True when the cell should be drawn yellow with red text (an empty field).
  bool WantsAttention(int row, int col) const;
  // What the cell offers to edit it: its column's kind where the column stands at its place in
  // the standard layout, else nothing (the wizard's trend tag page edits nothing).
  CellKind GetCellKind(int col) const;
  // The drop list of a cell, from the row's record and its project file.
  std::vector<std::string> GetDropListChoices(int row, int col);
  // The project file cell's tool tip: the whole path, which the cell may show compacted, and the
  // keys of the chooser; empty for the other cells.
  std::string GetToolTip(int row, int col) const;
  // The text drawn in a cell `width` pixels wide: the project file path compacted to fit (see
  // CompactPath for the measures), every other text whole.
  std::string GetShownText(int row, int col, int width,
                           const std::function<int(std::string_view)>& text_width,
                           int average_char_width) const;
  // F4 or Alt+Down on a cell; None outside the rows and on read-only cells.
  OpenKeyAction GetOpenKeyAction(int row, int col) const;

  // --- events
  // The text an edit ends with, stored even when the user cancelled it.
  void OnEditFinish(int row, int col, std::string_view text);
  void OnDropListChoice(int row, int col, std::string_view text);
  // The project file's ellipsis button: a file dialog; the choice is stored and remembered.
  void OnEllipsis(int row);
  // A click on a column title: toggles the shared direction and sorts by that column.
  void OnTitleClick(int col);
  int GetSortColumn() const { return sort_col_; }  // -1 before the first sort
  bool IsSortAscending() const { return sort_ascending_; }

  // --- selection, as the view keeps it (cells in the order they were selected)
  std::vector<Cell> m_selection;
  void ClearSelections() { m_selection.clear(); }
  // The view's selection changes, as rectangles of cells. While whole rows are highlighted a row
  // is one cell, at column 0, and deselecting any of a row's cells drops the row.
  void OnCellsSelected(int top, int left, int bottom, int right);
  void OnCellsDeselected(int top, int left, int bottom, int right);
  // Drops the selected cells that no longer exist, after rows went away.
  void DropVanishedSelection();
  // The distinct data rows of the selected cells, in selection order; heading cells ignored.
  std::vector<int> GetSelectedRows() const;

  // --- view settings the owners choose
  bool m_bMultiSelect = false;
  bool m_bHighlightRow = false;
  int m_nCurrentCellMode = 1;
  // While false the view does not redraw (the owner is changing many rows).
  bool m_bUpdatesEnabled = true;
  void EnableUpdate(bool enable) { m_bUpdatesEnabled = enable; }

 private:
  CCitectTagGrid(std::unique_ptr<CCitectRecInterface> records, ui::UiService& ui,
                 std::span<const int> columns);
  CCitectTrendTag* RecordAt(int row, int col) const;

  ui::UiService& ui_;
  std::unique_ptr<CCitectRecInterface> records_;
  projfiles::CCitectDataMgr data_;  // drop-list choices, cached
  std::vector<std::unique_ptr<CCitectGridCol>> columns_;
  std::vector<int> widths_;
  int sort_col_ = -1;
  bool sort_ascending_ = true;
  CCitectDataSource source_;
};

}  // namespace kz::citect
