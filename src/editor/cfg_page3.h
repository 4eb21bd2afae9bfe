// CCfgPage3: the COM Ports page.
#pragma once

#include "editor/property_page.h"

namespace kz::editor {

class CCfgPage3 : public CPropertyPage {
 public:
  static constexpr int kTemplateId = 106;

  explicit CCfgPage3(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "COM Ports"; }
};

}  // namespace kz::editor
