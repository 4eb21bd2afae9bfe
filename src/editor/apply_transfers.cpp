// Client transfers played by a script: matched by station number and ID, removed as the page's
// Remove does, added through Add Custom and changed through Edit, each with the Edit Transfer
// dialog (and Record Storage Options for the storage settings).
#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "config/cfg_mgr.h"
#include "editor/apply_steps.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_psheet.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/new_file_mode.h"
#include "editor/rec_storage_dlg.h"

namespace kz::editor {
namespace {

using config::CConnectionCfg;

std::uint64_t Key(int station_number, int id) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(station_number)) << 32) |
         static_cast<std::uint32_t>(id);
}

struct TransferFields {
  int station_number;
  int id;
  std::string datalog_file;
  int new_file_mode;
  int new_file_synch_mode;
  std::string data_file;
};

TransferFields Fields(const CConnectionCfg& t) {
  return {t.GetStationNumber(),    t.GetID(),      t.GetDatalogFile(), t.GetNewFileMode(),
          t.GetNewFileSynchMode(), t.GetDataFile()};
}

bool SameStorage(const CConnectionCfg& t, const DesiredTransfer& want) {
  return t.GetDataFile() == want.data_file && t.GetNewFileMode() == want.new_file_mode &&
         t.GetNewFileSynchMode() == want.new_file_synch_mode;
}

// The record as desired, the ".kdl" the editor completes a datalog file name with allowed.
bool IsAsDesired(const CConnectionCfg& t, const DesiredTransfer& want) {
  const std::string name = t.GetDatalogFile();
  return SameStorage(t, want) && t.GetStationNumber() == want.station_number &&
         t.GetID() == want.id && (name == want.datalog_file || name == want.datalog_file + ".kdl");
}

std::string Describe(const CConnectionCfg& t) {
  return "station " + std::to_string(t.GetStationNumber()) + " ID " + std::to_string(t.GetID());
}

// The fields that differ, as ` "key" old -> new`.
std::string FieldChanges(const TransferFields& was, const TransferFields& now) {
  std::string text;
  AppendChange(text, "datalog file", Quoted(was.datalog_file), Quoted(now.datalog_file));
  AppendChange(text, "new file mode", std::to_string(was.new_file_mode),
               std::to_string(now.new_file_mode));
  AppendChange(text, "new file synch mode", std::to_string(was.new_file_synch_mode),
               std::to_string(now.new_file_synch_mode));
  AppendChange(text, "data file", Quoted(was.data_file), Quoted(now.data_file));
  return text;
}

// The user in the Record Storage Options dialog: picks the method, then the start and the path.
void PlayStorage(CRecStorageDlg& dialog, const DesiredTransfer& want) {
  dialog.OnInitDialog();
  const int mode =
      want.new_file_mode >= 0 && want.new_file_mode < static_cast<int>(kNewFileModeNames.size())
          ? want.new_file_mode
          : -1;
  if (mode != dialog.m_nMode) {
    dialog.m_nMode = mode;
    dialog.OnModeChange();
  }
  if (mode == kNewFileDaily) {
    dialog.m_nDailyTime = want.new_file_synch_mode;
  } else {
    const int day = want.new_file_synch_mode;
    dialog.m_nWeekday = day >= 0 && day < static_cast<int>(kWeekdayNames.size()) ? day : -1;
  }
  dialog.m_strPath = want.data_file;
}

class TransferStep {
 public:
  TransferStep(ApplyContext& ctx, const std::vector<DesiredTransfer>& want)
      : m_ctx(ctx), m_want(want), m_record(want.size(), nullptr), m_added(want.size(), false) {}

  void Run(std::vector<std::string>& lines) {
    Match(lines);
    // Only these are played; `before` holds what each matched one was, for the change lines.
    std::vector<std::size_t> played;
    std::vector<TransferFields> before;
    for (std::size_t j = 0; j < m_want.size(); ++j) {
      if (m_record[j] && IsAsDesired(*m_record[j], m_want[j])) continue;
      played.push_back(j);
      before.push_back(m_record[j] ? Fields(*m_record[j]) : TransferFields{});
    }
    if (m_ctx.final_mode != 0 && !played.empty()) {
      for (const std::size_t j : played) {
        m_ctx.result.problems.push_back(
            {ItemPath("transfers", j),
             std::string(CCfgPage4::kAutoAccept) +
                 " (\"mode\" 1): the page keeps no client transfers to add or edit."});
      }
      return;
    }
    // A change refused because another record still holds its pair or data file may pass once
    // that record has changed too (two transfers swapping data files): try again while any
    // change passes.
    std::vector<std::size_t> pending = played;
    while (!pending.empty()) {
      std::vector<std::size_t> refused;
      std::vector<ConfigProblem> problems;
      bool progress = false;
      for (const std::size_t j : pending) {
        switch (Play(j)) {
          case Outcome::kPassed:
            progress = true;
            break;
          case Outcome::kRefused:
            refused.push_back(j);
            problems.push_back(std::move(m_refusal));
            break;
          case Outcome::kFailed:
            break;
        }
      }
      if (!progress) {
        for (auto& problem : problems) m_ctx.result.problems.push_back(std::move(problem));
        return;
      }
      pending = std::move(refused);
    }
    if (!m_ctx.result.problems.empty()) return;
    for (std::size_t k = 0; k < played.size(); ++k) {
      const std::size_t j = played[k];
      const std::string path = ItemPath("transfers", j);
      if (m_added[j]) {
        lines.push_back(path + ": added " + Describe(*m_record[j]) + " " +
                        Quoted(m_record[j]->GetDatalogFile()) + " -> " +
                        Quoted(m_record[j]->GetDataFile()));
      } else if (const std::string changes = FieldChanges(before[k], Fields(*m_record[j]));
                 !changes.empty()) {
        lines.push_back(path + ": changed " + Describe(*m_record[j]) + ":" + changes);
      }
    }
  }

 private:
  // Pairs each desired transfer with a live one of its station number and ID (in order, for a
  // file that holds a pair twice) and removes the live ones left over.
  void Match(std::vector<std::string>& lines) {
    config::CCfgMgr& model = m_ctx.model;
    const int count = model.GetConnectionCount();
    // The live transfers of each pair in file order: the first in `first` (sorted by pair, for a
    // binary search), each one's successor in `next` (-1 at the end). Sorted arrays rather than a
    // hash map: no node per transfer.
    std::vector<std::pair<std::uint64_t, int>> first;
    first.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      const CConnectionCfg* t = model.GetConnection(i);
      if (!t->IsRemoved()) first.emplace_back(Key(t->GetStationNumber(), t->GetID()), i);
    }
    std::sort(first.begin(), first.end());
    std::vector<int> next(static_cast<std::size_t>(count), -1);
    std::size_t heads = 0;
    for (std::size_t k = 0; k < first.size(); ++k) {
      if (heads > 0 && first[heads - 1].first == first[k].first) {
        next[static_cast<std::size_t>(first[k - 1].second)] = first[k].second;
      } else {
        first[heads++] = first[k];
      }
    }
    first.resize(heads);
    std::vector<bool> kept(static_cast<std::size_t>(count), false);
    for (std::size_t j = 0; j < m_want.size(); ++j) {
      const std::uint64_t key = Key(m_want[j].station_number, m_want[j].id);
      const auto it = std::lower_bound(first.begin(), first.end(), std::pair(key, INT_MIN));
      if (it == first.end() || it->first != key || it->second < 0) continue;
      const int index = it->second;
      it->second = next[static_cast<std::size_t>(index)];
      kept[static_cast<std::size_t>(index)] = true;
      m_record[j] = model.GetConnection(index);
    }
    for (int i = 0; i < count; ++i) {
      const CConnectionCfg* t = model.GetConnection(i);
      if (t->IsRemoved() || kept[static_cast<std::size_t>(i)]) continue;
      model.RemoveConnection(i);
      lines.push_back("transfers: removed " + Describe(*t) + " " + Quoted(t->GetDatalogFile()));
    }
  }

  enum class Outcome {
    kPassed,
    kRefused,  // by a dialog, in m_refusal: another try may pass
    kFailed,   // values no dialog can hold, already among the problems
  };

  Outcome Refuse(std::string path, std::string message) {
    m_refusal = {std::move(path), std::move(message)};
    return Outcome::kRefused;
  }

  // One Edit (a matched record) or Add Custom (a new one).
  Outcome Play(std::size_t j) {
    const DesiredTransfer& want = m_want[j];
    const std::string path = ItemPath("transfers", j);
    std::unique_ptr<CConnectionCfg> fresh;
    if (!m_record[j]) fresh = std::make_unique<CConnectionCfg>();
    CConnectionCfg& record = fresh ? *fresh : *m_record[j];

    m_ctx.ui.boxes.clear();
    CEditTransferDlg dialog(m_ctx.sheet, m_ctx.model, record);
    dialog.OnInitDialog();
    dialog.m_strStationNumber = std::to_string(want.station_number);
    dialog.m_strTransferId = std::to_string(want.id);
    dialog.m_strDatalogFile = want.datalog_file;
    if (dialog.m_bShowStorage && !SameStorage(record, want)) {
      m_ctx.ui.on_modal = [&](ui::Window& window) {
        auto* storage = dynamic_cast<CRecStorageDlg*>(&window);
        if (!storage) return ui::DialogResult::Cancel;
        PlayStorage(*storage, want);
        return storage->OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
      };
      dialog.OnEditStorage();
      m_ctx.ui.on_modal = nullptr;
      if (!m_ctx.ui.boxes.empty()) return Refuse(path, LastMessage(m_ctx.ui));
    }
    if (!dialog.OnOK()) return Refuse(path, LastMessage(m_ctx.ui));

    // What the dialogs did not take as given, and why; then what the file cannot hold.
    std::vector<ConfigProblem> problems;
    if (!IsAsDesired(record, want)) {
      if (!dialog.m_bShowStorage) {
        problems.push_back({FieldPath(path, "data file"),
                            "The Edit Transfer dialog of the Citect edition does not set where "
                            "records are stored."});
      } else if (auto bad = StorageSettingProblem(want.new_file_mode, want.new_file_synch_mode)) {
        problems.push_back({FieldPath(path, bad->key), std::move(bad->message)});
      } else {
        problems.push_back({path, "The Edit Transfer dialog did not take these values."});
      }
    } else {
      TransferValueProblems(record, path, problems);
    }
    if (!problems.empty()) {
      for (auto& problem : problems) m_ctx.result.problems.push_back(std::move(problem));
      return Outcome::kFailed;
    }
    if (fresh) {
      CConnectionCfg* added = fresh.get();
      const int result = m_ctx.model.AddConnection(fresh);
      // The dialog has checked both already; the model has the last word.
      if (result == config::kDuplicateTransfer) return Refuse(path, CEditTransferDlg::kPairInUse);
      if (result != config::kCfgOk) return Refuse(path, CEditTransferDlg::kStorageFileInUse);
      m_record[j] = added;
      m_added[j] = true;
    }
    return Outcome::kPassed;
  }

  ApplyContext& m_ctx;
  const std::vector<DesiredTransfer>& m_want;
  std::vector<CConnectionCfg*> m_record;  // the model's, not owned; null until added
  std::vector<bool> m_added;
  ConfigProblem m_refusal;
};

}  // namespace

void ApplyTransfers(ApplyContext& ctx, const std::vector<DesiredTransfer>& desired,
                    std::vector<std::string>& lines) {
  TransferStep(ctx, desired).Run(lines);
}

}  // namespace kz::editor
