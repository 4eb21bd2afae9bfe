// CCfgPage5: the General page of the Citect edition.
#pragma once

#include "editor/property_page.h"

namespace kz::editor {

class CCfgPage5 : public CPropertyPage {
 public:
  static constexpr int kTemplateId = 213;

  explicit CCfgPage5(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "General"; }
};

}  // namespace kz::editor
