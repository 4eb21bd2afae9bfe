// CCfgPage1: the General page of the standard edition.
#pragma once

#include "editor/property_page.h"

namespace kz::editor {

class CCfgPage1 : public CPropertyPage {
 public:
  static constexpr int kTemplateId = 104;

  explicit CCfgPage1(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "General"; }
};

}  // namespace kz::editor
