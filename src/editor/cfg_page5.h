// CCfgPage5: the General page of the Citect edition: only what both General pages edit
// (CCfgGeneralPage): connection mode, clock adjustment, error log. The data file, scaling and
// duplicate settings stay in the model as loaded.
#pragma once

#include "editor/cfg_general_page.h"

namespace kz::editor {

class CCfgPage5 : public CCfgGeneralPage {
 public:
  static constexpr int kTemplateId = 213;

  explicit CCfgPage5(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "General"; }

  // Fills the controls from the model, then runs the enable rules.
  void OnInitDialog() override;
  // Stores the controls into the model; false (after one message) keeps the page.
  bool OnKillActive() override;
};

}  // namespace kz::editor
