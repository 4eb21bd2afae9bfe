// The General page played by a script: its controls set from the desired keys, and afterwards
// the keys its store-and-validate did not take, with the page's reason.
#include "config/cfg_mgr.h"
#include "editor/apply_steps.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page5.h"
#include "editor/cfg_psheet.h"
#include "editor/data_file_name.h"
#include "editor/new_file_mode.h"

namespace kz::editor {
namespace {

// The server reads the general texts with 256-byte buffers.
constexpr std::size_t kGeneralTextChars = 255;

// A list's selection for a value: the value when it names an entry, else none (-1).
int Selection(int value, std::size_t count) {
  return value >= 0 && static_cast<std::size_t>(value) < count ? value : -1;
}

int Number(const GeneralValue& value) {
  const int* number = std::get_if<int>(&value);
  return number ? *number : 0;
}

std::string Text(const GeneralValue& value) {
  const std::string* text = std::get_if<std::string>(&value);
  return text ? *text : std::string();
}

bool OnCitectPage(std::size_t key) {
  switch (key) {
    case kKeyMode:
    case kKeySetStaClock:
    case kKeyClockTolerance:
    case kKeyPcTimeFormat:
    case kKeyEnableLog:
    case kKeyLogDir:
      return true;
    default:
      return false;
  }
}

// Why a key the page did not take stayed as it was.
std::string NotTakenReason(std::size_t key, const config::CCfgMgr& model, bool citect) {
  if (citect && !OnCitectPage(key)) {
    return "The General page of the Citect edition has no control for this setting.";
  }
  switch (key) {
    case kKeyNewFileMode:
    case kKeyNewFileSynchMode:
    case kKeyAutoModeDataPath:
    case kKeyBaseNameChoice:
      if (model.GetMode() != CCfgGeneralPage::kModeAutomatic) {
        return "Stored only when new clients may automatically connect (\"mode\" 1).";
      }
      break;
    case kKeyClockTolerance:
    case kKeyPcTimeFormat:
      if (!model.GetSetStaClock()) {
        return "Stored only when the station's clock is set (\"set sta clock\" 1).";
      }
      break;
    case kKeyLogDir:
      if (!model.GetEnableLog()) return "Stored only when errors are logged (\"enable log\" 1).";
      break;
    default:
      break;
  }
  switch (key) {
    case kKeyMode:
      return "Is none of the \"Client connection mode:\" buttons (0 or 1).";
    case kKeyNewFileMode:
      return "Is none of the \"Create new files:\" choices (0 to 3).";
    case kKeyNewFileSynchMode:
      return model.GetNewFileMode() == kNewFileDaily
                 ? "Is no time of day for daily files (0 to 86399 seconds after midnight)."
                 : "Is no \"Starting:\" weekday (0 Sunday to 6 Saturday).";
    case kKeyBaseNameChoice:
      return "Is none of the \"Data file base name:\" choices (0 to 5).";
    case kKeyPcTimeFormat:
      return "Is none of the \"Time format:\" choices (0 or 1).";
    default:
      return "A check box holds 0 or 1.";
  }
}

}  // namespace

std::array<GeneralValue, kGeneralKeyCount> GeneralSnapshot(const config::CCfgMgr& m) {
  return {m.GetMode(),           m.GetNewFileMode(),        m.GetNewFileSynchMode(),
          m.GetAutoModeDataPath(), m.GetAutoModeBaseNameChoice(), m.GetSetStaClock(),
          m.GetClockTolerance(),  m.GetPcTimeFormat(),      m.GetEnableLog(),
          m.GetLogDir(),          m.GetUseScaling(),        m.GetCheckDuplicates()};
}

std::string GeneralValueText(const GeneralValue& value) {
  if (const int* number = std::get_if<int>(&value)) return std::to_string(*number);
  return Quoted(std::get<std::string>(value));
}

std::size_t GeneralKeyOfControl(int control) {
  switch (control) {
    case CCfgGeneralPage::kSetStaClockCheck:
      return kKeySetStaClock;
    case CCfgGeneralPage::kToleranceEdit:
      return kKeyClockTolerance;
    case CCfgGeneralPage::kTimeFormatList:
      return kKeyPcTimeFormat;
    case CCfgGeneralPage::kEnableLogCheck:
      return kKeyEnableLog;
    case CCfgGeneralPage::kLogDirEdit:
      return kKeyLogDir;
    case CCfgGeneralPage::kNewFileModeList:
      return kKeyNewFileMode;
    case CCfgGeneralPage::kWeekdayList:
    case CCfgGeneralPage::kStartTimePicker:
      return kKeyNewFileSynchMode;
    case CCfgGeneralPage::kDataDirEdit:
      return kKeyAutoModeDataPath;
    case CCfgGeneralPage::kBaseNameList:
      return kKeyBaseNameChoice;
    default:
      return kKeyMode;
  }
}

void ApplyGeneralControls(ApplyContext& ctx, const DesiredGeneral& desired) {
  CCfgGeneralPage& page = ctx.sheet.IsCitect() ? static_cast<CCfgGeneralPage&>(ctx.sheet.page5())
                                               : ctx.sheet.page1();
  const auto& want = desired;
  if (want[kKeyMode]) {
    page.m_nMode = Selection(Number(*want[kKeyMode]), CCfgGeneralPage::kModeNames.size());
    page.OnModeClicked();
  }
  if (want[kKeySetStaClock]) {
    page.m_bSetStaClock = Number(*want[kKeySetStaClock]) != 0;
    page.OnSetStaClockClicked();
  }
  if (want[kKeyClockTolerance]) {
    page.m_strClockTolerance = std::to_string(Number(*want[kKeyClockTolerance]));
  }
  if (want[kKeyPcTimeFormat]) {
    page.m_nPcTimeFormat =
        Selection(Number(*want[kKeyPcTimeFormat]), CCfgGeneralPage::kTimeFormatNames.size());
  }
  if (want[kKeyEnableLog]) {
    page.m_bEnableLog = Number(*want[kKeyEnableLog]) != 0;
    page.OnEnableLogClicked();
  }
  if (want[kKeyLogDir]) page.m_strLogDir = Text(*want[kKeyLogDir]);
  if (ctx.sheet.IsCitect()) return;

  CCfgPage1& p1 = ctx.sheet.page1();
  if (want[kKeyNewFileMode]) {
    const int selection = Selection(Number(*want[kKeyNewFileMode]), kNewFileModeNames.size());
    if (selection != p1.m_nNewFileMode) {
      p1.m_nNewFileMode = selection;
      p1.OnNewFileModeChanged();
    }
  }
  if (want[kKeyNewFileSynchMode]) {
    const int synch = Number(*want[kKeyNewFileSynchMode]);
    if (p1.m_nNewFileMode == kNewFileDaily) {
      p1.m_nStartTime = synch;
    } else {
      p1.m_nWeekday = Selection(synch, kWeekdayNames.size());
    }
  }
  if (want[kKeyAutoModeDataPath]) {
    p1.m_strDataDir = Text(*want[kKeyAutoModeDataPath]);
    p1.OnDataDirChanged();
  }
  if (want[kKeyBaseNameChoice]) {
    p1.m_nBaseName = Selection(Number(*want[kKeyBaseNameChoice]), kBaseNameChoices.size());
    p1.OnBaseNameChanged();
  }
  if (want[kKeyUseScaling]) p1.m_bUseScaling = Number(*want[kKeyUseScaling]) != 0;
  if (want[kKeyCheckDuplicates]) {
    p1.m_bCheckDuplicates = Number(*want[kKeyCheckDuplicates]) != 0;
  }
}

void CheckGeneralLanded(ApplyContext& ctx, const DesiredGeneral& desired) {
  const auto now = GeneralSnapshot(ctx.model);
  for (std::size_t key = 0; key < kGeneralKeyCount; ++key) {
    if (!desired[key]) continue;
    const std::string path = FieldPath("general", kGeneralKeys[key].name);
    if (*desired[key] != now[key]) {
      ctx.result.problems.push_back({path, NotTakenReason(key, ctx.model, ctx.sheet.IsCitect())});
    } else if (kGeneralKeys[key].text) {
      if (auto bad = StoredTextProblem(Text(now[key]), kGeneralTextChars)) {
        ctx.result.problems.push_back({path, std::move(*bad)});
      }
    }
  }
}

}  // namespace kz::editor
