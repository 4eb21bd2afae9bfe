// The views of this build: one line per window, found by its presenter's type.
#include "ui/qt/view_registry.h"

#include "citect/citect_cfg_dlg.h"
#include "citect/warning_list_dlg.h"
#include "editor/add_from_file_dlg.h"
#include "editor/cfg_com.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_page5.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "projfiles/cancel_dlg.h"
#include "ui/qt/add_from_file_view.h"
#include "ui/qt/cancel_dlg_view.h"
#include "ui/qt/cfg_com_view.h"
#include "ui/qt/cfg_page1_view.h"
#include "ui/qt/cfg_page2_view.h"
#include "ui/qt/cfg_page3_view.h"
#include "ui/qt/cfg_page4_view.h"
#include "ui/qt/cfg_page5_view.h"
#include "ui/qt/cfg_psheet_view.h"
#include "ui/qt/cfg_udp_view.h"
#include "ui/qt/citect_cfg_dlg_view.h"
#include "ui/qt/edit_transfer_view.h"
#include "ui/qt/rec_storage_view.h"
#include "citect/citect_add_tag_psheet.h"
#include "ui/qt/citect_add_tag_page_views.h"
#include "ui/qt/citect_add_tag_view.h"
#include "ui/qt/warning_list_view.h"

namespace kz::qtui {

void RegisterAllViews(ViewRegistry& registry) {
  registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
  registry.AddPage<editor::CCfgPage1>(MakeCfgPage1View);
  registry.AddPage<editor::CCfgPage5>(MakeCfgPage5View);
  registry.AddPage<editor::CCfgPage4>(MakeCfgPage4View);
  registry.AddPage<editor::CCfgPage2>(MakeCfgPage2View);
  registry.AddPage<editor::CCfgPage3>(MakeCfgPage3View);
  registry.AddModal<editor::CCfgUDP>(RunCfgUdpView);
  registry.AddModal<editor::CCfgCOM>(RunCfgComView);
  registry.AddModal<editor::CEditTransferDlg>(RunEditTransferView);
  registry.AddModal<editor::CRecStorageDlg>(RunRecStorageView);
  registry.AddModal<editor::CAddFromFileDlg>(RunAddFromFileView);
  registry.AddModal<citect::CCitectAddTagPSheet>(RunCitectAddTagView);
  registry.AddPage<citect::CCitectAddTagPage1>(MakeCitectAddTagPage1View);
  registry.AddPage<citect::CCitectAddTagPage2>(MakeCitectAddTagGridPageView);
  registry.AddPage<citect::CCitectAddTagPage3>(MakeCitectAddTagPage3View);
  registry.AddPage<citect::CCitectAddTagPage4>(MakeCitectAddTagGridPageView);
  registry.AddModal<citect::CCitectCfgDlg>(RunCitectCfgDlgView);
  registry.AddModal<citect::CWarningListDlg>(RunWarningListView);
  registry.AddModeless<projfiles::CCancelDlg>(MakeCancelDlgView);
}

}  // namespace kz::qtui
