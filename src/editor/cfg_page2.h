// CCfgPage2: the UDP/TCP Ports page.
#pragma once

#include "editor/property_page.h"

namespace kz::editor {

class CCfgPage2 : public CPropertyPage {
 public:
  static constexpr int kTemplateId = 105;

  explicit CCfgPage2(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "UDP/TCP Ports"; }
};

}  // namespace kz::editor
