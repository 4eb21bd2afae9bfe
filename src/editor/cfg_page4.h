// CCfgPage4: the Client Transfers page.
#pragma once

#include "editor/property_page.h"

namespace kz::editor {

class CCfgPage4 : public CPropertyPage {
 public:
  static constexpr int kTemplateId = 107;

  explicit CCfgPage4(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "Client Transfers"; }
};

}  // namespace kz::editor
