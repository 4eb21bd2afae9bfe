// A fixture for the add trend tags wizard: a stand-in Citect installation with three projects
// (one with a title, so not offered) in a temporary environment, a scripted UI and a sheet whose
// help requests are recorded, plus steps that walk the sheet as a user would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "citect/citect_add_tag_psheet.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::test {

class AddTagWizardTest : public TempEnvTest {
 public:  // table-driven cases act on the fixture from outside
  void SetUp() override;

  // Page 1 shown, `project` selected (by its text), Next pressed; asserts page 2 is active.
  void ToPage2(const std::string& project = "Water");
  // Selects the candidate rows that show these trend tags, each cell of each row.
  void SelectTrends(const std::vector<std::string>& names);
  // From page 2: Next, manual mode, Next; asserts page 4 is active.
  void ManualToPage4();
  // The trend tag names of page 4's list, in list order.
  std::vector<std::string> TagsToAdd() const;

  CitectInstall install_;
  ScriptedUi ui_;
  std::vector<std::uint32_t> help_;
  citect::CCitectAddTagPSheet sheet_{ui_, [this](std::uint32_t id) { help_.push_back(id); }};
};

}  // namespace kz::test
