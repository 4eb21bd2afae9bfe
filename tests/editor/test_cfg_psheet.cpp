#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/cfg_mgr.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page5.h"
#include "editor/cfg_psheet.h"
#include "support/scripted_ui.h"

namespace kz::editor {
namespace {

class CfgPSheetTest : public ::testing::Test {
 protected:
  CCfgPSheet MakeSheet(const std::string& options) {
    return CCfgPSheet(&model_, options, ui_, [this](std::uint32_t id) { help_.push_back(id); });
  }

  config::CCfgMgr model_;
  test::ScriptedUi ui_;
  std::vector<std::uint32_t> help_;
};

TEST_F(CfgPSheetTest, EditionChoosesTheGeneralPageAndHelpFollowsTheActiveTab) {
  for (const std::string options : {"", "product=citect"}) {
    SCOPED_TRACE(options);
    help_.clear();
    CCfgPSheet sheet = MakeSheet(options);
    EXPECT_EQ(sheet.GetPage(0).TemplateId(), options.empty() ? 104 : 213);
    sheet.OnInitDialog();
    for (int i = 0; i < CCfgPSheet::kPageCount; ++i) {
      ASSERT_TRUE(sheet.SetActivePage(i));
      sheet.OnHelp();
    }
    // The Citect General page opens the standard General topic.
    EXPECT_EQ(help_, (std::vector<std::uint32_t>{0x20000 + 104, 0x20000 + 107, 0x20000 + 105,
                                                 0x20000 + 106}));
  }
}

TEST_F(CfgPSheetTest, StartPageLeavesTheOtherPagesUnfilled) {
  CCfgPSheet sheet = MakeSheet("");
  sheet.SetStartPage(CCfgPSheet::kScheduledTransfersPage);
  sheet.OnInitDialog();
  EXPECT_EQ(sheet.GetActiveIndex(), 2);
  EXPECT_TRUE(sheet.GetPage(2).initialized());
  EXPECT_FALSE(sheet.GetPage(0).initialized());
  EXPECT_FALSE(sheet.GetPage(1).initialized());
}

TEST_F(CfgPSheetTest, OkAsksOnlyWhenNoLivePortIsLeft) {
  struct Case {
    std::vector<int> removed;  // which of two ports are marked removed
    std::deque<ui::Answer> answers;
    bool asked;
    bool closes;
  };
  const Case cases[] = {
      {{}, {}, false, true},
      {{0}, {}, false, true},
      {{0, 1}, {ui::Answer::No}, true, false},
      {{0, 1}, {ui::Answer::Yes}, true, true},
  };
  for (const Case& c : cases) {
    config::CCfgMgr model;
    model.AddPort(config::PORT_UDP);
    model.AddPort(config::PORT_SERIAL);
    for (int i : c.removed) model.RemovePort(i);
    ui_.boxes.clear();
    ui_.answers = c.answers;
    CCfgPSheet sheet(&model, "", ui_);
    sheet.OnInitDialog();
    EXPECT_EQ(sheet.OnOK(), c.closes);
    using Box = test::ScriptedUi::Box;
    const Box question{CCfgPSheet::kNoPortQuestion, "Warning", ui::Buttons::YesNo,
                       ui::Icon::Question};
    EXPECT_EQ(ui_.boxes, c.asked ? std::vector<Box>{question} : std::vector<Box>{});
  }
}

}  // namespace
}  // namespace kz::editor
