// The views of this build. Each window's view adds one line here, e.g.
//   registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
#include "ui/qt/view_registry.h"

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page4.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "ui/qt/add_from_file_view.h"
#include "ui/qt/cfg_page4_view.h"
#include "ui/qt/edit_transfer_view.h"
#include "ui/qt/rec_storage_view.h"

namespace kz::qtui {

void RegisterAllViews(ViewRegistry& registry) {
  registry.AddPage<editor::CCfgPage4>(MakeCfgPage4View);
  registry.AddModal<editor::CEditTransferDlg>(RunEditTransferView);
  registry.AddModal<editor::CRecStorageDlg>(RunRecStorageView);
  registry.AddModal<editor::CAddFromFileDlg>(RunAddFromFileView);
}

}  // namespace kz::qtui
