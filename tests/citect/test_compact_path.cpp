#include <gtest/gtest.h>

#include <string>

#include "citect/compact_path.h"

namespace kz::citect {
namespace {

// Every character 10 pixels wide, average 10: a column of W pixels shows a path of up to
// (W - 5) / 10 characters whole; a growing tail stops at the first text of (W - 15) / 10
// characters or more, a cut lead at the first under that.
int Measure(std::string_view text) { return static_cast<int>(text.size()) * 10; }

struct Case {
  const char* name;
  const char* path;
  int width;
  const char* shown;
};

class CompactPathTest : public ::testing::TestWithParam<Case> {};

TEST_P(CompactPathTest, Shows) {
  const Case& c = GetParam();
  EXPECT_EQ(CompactPath(c.path, c.width, Measure, 10), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, CompactPathTest,
    ::testing::Values(
        // 18 characters need 185 pixels.
        Case{"FitsExactly", "/srv/kpj/north.kpj", 185, "/srv/kpj/north.kpj"},
        // "/srv/.../north.kpj" is no shorter: the lead "/srv" is cut instead.
        Case{"OnePixelShort", "/srv/kpj/north.kpj", 184, "/s/.../north.kpj"},
        // "/home/.../x.kpj" fits in 200: the tail of "user/projects/north" grows to 19
        // characters in all.
        Case{"TailGrows", "/home/user/projects/north/x.kpj", 200, "/home/...orth/x.kpj"},
        Case{"TailGrowsFurther", "/home/user/projects/north/x.kpj", 260,
             "/home/...ects/north/x.kpj"},
        // The lead ends at the second slash, relative paths included.
        Case{"LeadCut", "/home/ab/x.kpj", 140, "/h/.../x.kpj"},
        Case{"RelativeLeadCut", "data/stations/east/site.kpj", 210, "data/s/.../site.kpj"},
        Case{"LeadCutAway", "/home/user/site.kpj", 150, ".../site.kpj"},
        // "./" and "../" leads stay whole, or go.
        Case{"DotLead", "./stations/east/north/x.kpj", 150, "./...rth/x.kpj"},
        Case{"DotDotLead", "../../stations/east/x.kpj", 170, "../../...t/x.kpj"},
        Case{"DotDotNeverCut", "../../stations/east/site.kpj", 140, ".../site.kpj"},
        Case{"NothingFits", "/home/user/a-very-long-file-name.kpj", 100,
             ".../a-very-long-file-name.kpj"},
        Case{"NoDirectory", "a-very-long-file-name.kpj", 100, ".../a-very-long-file-name.kpj"},
        Case{"RootFile", "/a-very-long-file-name.kpj", 100, ".../a-very-long-file-name.kpj"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A tail or lead is cut between characters, never inside one.
TEST(CompactPathText, CutsBetweenCharacters) {
  // "é" is two bytes: the tail of two would start inside it, so three follow one.
  const std::string shown = CompactPath("/home/user/caf\xC3\xA9s/x.kpj", 180, Measure, 10);
  EXPECT_EQ(shown, "/home/...\xC3\xA9s/x.kpj");
}

}  // namespace
}  // namespace kz::citect
