#include <gtest/gtest.h>

#include <string>

#include "citect/compact_path.h"

namespace kz::citect {
namespace {

// Every character 10 pixels wide, average 10: a column of W pixels shows a path of up to
// (W - 5) / 10 characters whole; a growing tail stops at the first text of (W - 15) / 10
// characters or more, a cut lead at the first under that.
TEST(CompactPath, ShowsWhatFitsTheColumn) {
  struct Case {
    const char* path;
    int width;
    const char* shown;
  };
  const Case cases[] = {
      {"/srv/kpj/north.kpj", 185, "/srv/kpj/north.kpj"},  // 18 characters need 185 pixels
      // "/srv/.../north.kpj" is no shorter: the lead "/srv" is cut instead.
      {"/srv/kpj/north.kpj", 184, "/s/.../north.kpj"},
      // The tail grows until the text and its margins reach the width (19 characters: 190 + 15).
      {"/home/user/projects/north/x.kpj", 205, "/home/...orth/x.kpj"},
      // The short form must be narrower than the width less the margin to grow a tail.
      {"/srv/kpjs/north.kpj", 185, "/s/.../north.kpj"},
      // The lead ends at the second slash, relative paths included.
      {"data/stations/east/site.kpj", 210, "data/s/.../site.kpj"},
      {"/home/user/site.kpj", 150, ".../site.kpj"},
      // "./" and "../" leads stay whole, or go.
      {"./stations/east/north/x.kpj", 150, "./...rth/x.kpj"},
      {"../../stations/east/x.kpj", 170, "../../...t/x.kpj"},
      {"../../stations/east/site.kpj", 170, ".../site.kpj"},
      {"", 0, ""},
      {"a-very-long-file-name.kpj", 100, ".../a-very-long-file-name.kpj"},
      // "é" is two bytes: a tail of two would start inside it, so three follow one.
      {"/home/user/caf\xC3\xA9s/x.kpj", 180, "/home/...\xC3\xA9s/x.kpj"},
  };
  const auto measure = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
  for (const Case& c : cases) {
    EXPECT_EQ(CompactPath(c.path, c.width, measure, 10), c.shown);
  }
}

}  // namespace
}  // namespace kz::citect
