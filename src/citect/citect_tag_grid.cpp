#include "citect/citect_tag_grid.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "citect/compact_path.h"
#include "platform/registry.h"
#include "platform/system_dirs.h"
#include "platform/tool_install.h"

namespace kz::citect {
namespace {

class ArrayRecords final : public CCitectRecInterface {
 public:
  explicit ArrayRecords(CCitectTrendTagArray& tags) : tags_(tags) {}
  CCitectTrendTag* GetRecord(int pos) const override {
    return pos >= 0 && pos < GetCount() ? &tags_[pos] : nullptr;
  }
  int GetCount() const override { return static_cast<int>(tags_.size()); }

 private:
  CCitectTrendTagArray& tags_;
};

class PointerRecords final : public CCitectRecInterface {
 public:
  explicit PointerRecords(std::vector<CCitectTrendTag*>& tags) : tags_(tags) {}
  CCitectTrendTag* GetRecord(int pos) const override {
    return pos >= 0 && pos < GetCount() ? tags_[pos] : nullptr;
  }
  int GetCount() const override { return static_cast<int>(tags_.size()); }

 private:
  std::vector<CCitectTrendTag*>& tags_;
};

const std::string kNoText;

// A selected cell as one number, for looking many up at once (Select All on a large grid).
std::uint64_t CellKey(int row, int col) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
         static_cast<std::uint32_t>(col);
}

}  // namespace

CCitectTagGrid::CCitectTagGrid(CCitectTrendTagArray& tags, ui::UiService& ui,
                               std::span<const int> columns)
    : CCitectTagGrid(std::make_unique<ArrayRecords>(tags), ui, columns) {}

CCitectTagGrid::CCitectTagGrid(std::vector<CCitectTrendTag*>& tags, ui::UiService& ui,
                               std::span<const int> columns)
    : CCitectTagGrid(std::make_unique<PointerRecords>(tags), ui, columns) {}

CCitectTagGrid::CCitectTagGrid(std::unique_ptr<CCitectRecInterface> records, ui::UiService& ui,
                               std::span<const int> columns)
    : ui_(ui),
      records_(std::move(records)),
      data_(ui),
      source_([this](int pos) -> const CCitectTrendTag& { return *records_->GetRecord(pos); }) {
  // Shown in id order whatever order the set names them in.
  std::vector<int> ids(columns.begin(), columns.end());
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  for (int id : ids) {
    if (id < 0 || id >= kCitectColumnCount) continue;
    columns_.push_back(std::make_unique<CCitectGridCol>(id));
    widths_.push_back(columns_.back()->DefaultWidth());
    source_.AddColumn(columns_.back().get());
  }
  std::vector<int> shown;
  for (const auto& c : columns_) shown.push_back(c->Id());
  source_.SetTieBreakColumns(shown);
}

CCitectTagGrid::~CCitectTagGrid() = default;

void CCitectTagGrid::SetColWidthById(int id, int width) {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i]->Id() == id) widths_[i] = width;
  }
}

std::string_view CCitectTagGrid::GetGroupLabel(int col) const {
  if (col < 0 || col >= GetNumberCols()) return {};
  return columns_[col]->GetGroupLabel();
}

void CCitectTagGrid::ReloadTags() {
  std::vector<int> positions(records_->GetCount());
  for (int i = 0; i < static_cast<int>(positions.size()); ++i) positions[i] = i;
  source_.ResetRows();
  source_.SetRows(positions, 1);
}

CCitectTrendTag* CCitectTagGrid::GetRecordAtRow(int row) const {
  int pos = 0;
  if (!source_.GetRecordPos(row, pos)) return nullptr;
  return records_->GetRecord(pos);
}

CCitectTrendTag* CCitectTagGrid::RecordAt(int row, int col) const {
  if (col < 0 || col >= GetNumberCols()) return nullptr;
  return GetRecordAtRow(row);
}

const std::string& CCitectTagGrid::GetText(int row, int col) const {
  const CCitectTrendTag* tag = RecordAt(row, col);
  return tag ? columns_[col]->GetText(*tag) : kNoText;
}

bool CCitectTagGrid::WantsAttention(int row, int col) const {
  const CCitectTrendTag* tag = RecordAt(row, col);
  return tag && columns_[col]->WantsAttention(*tag);
}

// Editing belongs to the standard layout, not to column kinds alone: a column shown elsewhere
// than at its own id's place edits nothing.
CellKind CCitectTagGrid::GetCellKind(int col) const {
  if (col < 0 || col >= GetNumberCols() || columns_[col]->Id() != col) return CellKind::ReadOnly;
  return columns_[col]->Kind();
}

std::vector<std::string> CCitectTagGrid::GetDropListChoices(int row, int col) {
  std::vector<std::string> choices;
  const CCitectTrendTag* tag = RecordAt(row, col);
  if (!tag || tag->m_strProjFile.empty()) return choices;
  switch (col) {
    case kCitectStaNameCol:
      for (const auto& station : data_.GetStations(tag->m_strProjFile)) {
        choices.push_back(station.m_strName);
      }
      break;
    case kCitectDatalogCol:
      if (!tag->m_strStaName.empty()) {
        choices = data_.GetDatalogConfigs(tag->m_strProjFile, tag->m_strStaName);
      }
      break;
    case kCitectTagNameCol:
      if (!tag->m_strDatalog.empty()) {
        choices = data_.GetDatalogTags(tag->m_strProjFile, tag->m_strDatalog);
      }
      break;
    default:
      break;
  }
  return choices;
}

std::string CCitectTagGrid::GetToolTip(int row, int col) const {
  if (GetCellKind(col) != CellKind::Ellipsis || !RecordAt(row, col)) return {};
  return GetText(row, col) + "\n" + kChooseFileKeys;
}

std::string CCitectTagGrid::GetShownText(int row, int col, int width,
                                         const std::function<int(std::string_view)>& text_width,
                                         int average_char_width) const {
  const std::string& text = GetText(row, col);
  if (col < 0 || col >= GetNumberCols() || !columns_[col]->IsPathColumn()) return text;
  return CompactPath(text, width, text_width, average_char_width);
}

CCitectTagGrid::OpenKeyAction CCitectTagGrid::GetOpenKeyAction(int row, int col) const {
  if (!RecordAt(row, col)) return OpenKeyAction::None;
  switch (GetCellKind(col)) {
    case CellKind::Ellipsis:
      return OpenKeyAction::ChooseFile;
    case CellKind::DropList:
      return OpenKeyAction::ShowDropList;
    default:
      return OpenKeyAction::None;
  }
}

void CCitectTagGrid::OnEditFinish(int row, int col, std::string_view text) {
  CCitectTrendTag* tag = RecordAt(row, col);
  if (tag && GetCellKind(col) != CellKind::ReadOnly) columns_[col]->SetText(*tag, text);
}

void CCitectTagGrid::OnDropListChoice(int row, int col, std::string_view text) {
  if (GetCellKind(col) == CellKind::DropList) OnEditFinish(row, col, text);
}

void CCitectTagGrid::OnEllipsis(int row) {
  CCitectTrendTag* tag = RecordAt(row, kCitectProjFileCol);
  if (!tag || GetCellKind(kCitectProjFileCol) != CellKind::Ellipsis) return;
  ui::FileDialog dialog;
  dialog.title = "Select a project file:";
  dialog.filter = "Project Files (*.kpj)|*.kpj|All Files (*.*)|*.*||";
  dialog.initial_name = "*.kpj";
  dialog.must_exist = true;
  const std::string last =
      platform::AppProfile::GetString(kCitectAddTagSection, kGridLastProjFileEntry, "");
  if (!last.empty()) {
    const std::size_t slash = last.rfind('/');
    dialog.initial_dir = slash == std::string::npos ? "" : last.substr(0, slash + 1);
    dialog.initial_name = slash == std::string::npos ? last : last.substr(slash + 1);
  } else if (const std::string tool = platform::ToolInstallDirectory(1024); !tool.empty()) {
    dialog.initial_dir = platform::JoinPath(tool, "Projects/");
  }
  const std::optional<std::string> chosen = ui_.ChooseOpenFile(dialog);
  if (!chosen) return;
  platform::AppProfile::WriteString(kCitectAddTagSection, kGridLastProjFileEntry, *chosen);
  tag->SetProjFile(*chosen);
}

void CCitectTagGrid::OnTitleClick(int col) {
  if (col < 0 || col >= GetNumberCols()) return;
  sort_ascending_ = !sort_ascending_;
  sort_col_ = col;
  source_.SortBy(col, sort_ascending_);
}

void CCitectTagGrid::OnCellsSelected(int top, int left, int bottom, int right) {
  if (m_bHighlightRow) left = right = 0;
  std::unordered_set<std::uint64_t> known;
  for (const Cell& c : m_selection) known.insert(CellKey(c.row, c.col));
  for (int row = top; row <= bottom; ++row) {
    for (int col = left; col <= right; ++col) {
      if (known.insert(CellKey(row, col)).second) m_selection.push_back({col, row});
    }
  }
}

void CCitectTagGrid::OnCellsDeselected(int top, int left, int bottom, int right) {
  std::erase_if(m_selection, [&](const Cell& c) {
    return c.row >= top && c.row <= bottom &&
           (m_bHighlightRow || (c.col >= left && c.col <= right));
  });
}

void CCitectTagGrid::DropVanishedSelection() {
  std::erase_if(m_selection, [this](const Cell& c) {
    return c.row < 0 || c.row >= GetNumberRows() || c.col < 0 || c.col >= GetNumberCols();
  });
}

std::vector<int> CCitectTagGrid::GetSelectedRows() const {
  std::vector<int> rows;
  std::unordered_set<int> seen;
  for (const Cell& cell : m_selection) {
    if (cell.row >= 0 && cell.row < GetNumberRows() && seen.insert(cell.row).second) {
      rows.push_back(cell.row);
    }
  }
  return rows;
}

}  // namespace kz::citect
