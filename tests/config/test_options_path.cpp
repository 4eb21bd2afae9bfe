#include <gtest/gtest.h>

#include "config/options_path.h"

namespace kz::config {
namespace {

TEST(ConfigPathFromOptions, WithoutFileTheEditionPicksTheNameInTheWindowsDirectory) {
  EXPECT_EQ(ConfigPathFromOptions("", "/etc/win"), "/etc/win/kzdlogrcv.cfg");
  EXPECT_EQ(ConfigPathFromOptions("product=citect", "/etc/win/"), "/etc/win/kzcitectsrv.cfg");
  EXPECT_EQ(ConfigPathFromOptions("page=x product=citect", "/w"), "/w/kzcitectsrv.cfg");
  // The edition test is case-sensitive.
  EXPECT_EQ(ConfigPathFromOptions("PRODUCT=CITECT", "/w"), "/w/kzdlogrcv.cfg");
  EXPECT_EQ(ConfigPathFromOptions("", ""), "");
}

TEST(ConfigPathFromOptions, FileTakesTheWholeRestWhenNoKeywordFollows) {
  EXPECT_EQ(ConfigPathFromOptions("File=/cfg/a.cfg", "/w"), "/cfg/a.cfg");
  EXPECT_EQ(ConfigPathFromOptions("File=  /my cfg/a b.cfg  ", "/w"), "/my cfg/a b.cfg");
  EXPECT_EQ(ConfigPathFromOptions("file=/x.cfg", "/w"), "/w/kzdlogrcv.cfg");
}

TEST(ConfigPathFromOptions, AKeywordAfterABlankEndsThePath) {
  EXPECT_EQ(ConfigPathFromOptions("File=/cfg/a.cfg page=scheduled_xfers", "/w"), "/cfg/a.cfg");
  EXPECT_EQ(ConfigPathFromOptions("File=/my cfg/a.cfg  \tproduct=citect", "/w"), "/my cfg/a.cfg");
  EXPECT_EQ(ConfigPathFromOptions("product=citect File=/a.cfg type=trend", "/w"), "/a.cfg");
  // A keyword glued to the path without a blank is part of the path.
  EXPECT_EQ(ConfigPathFromOptions("File=/a/page=b.cfg", "/w"), "/a/page=b.cfg");
  EXPECT_EQ(ConfigPathFromOptions("File= page=x", "/w"), "");
}

TEST(ConfigPathFromOptions, EnclosingDoubleQuotesAreRemovedOnce) {
  EXPECT_EQ(ConfigPathFromOptions("File=\"/my cfg/a.cfg\"", "/w"), "/my cfg/a.cfg");
  EXPECT_EQ(ConfigPathFromOptions("File=\"/a page=b.cfg\" page=x", "/w"), "/a page=b.cfg");
  EXPECT_EQ(ConfigPathFromOptions("File=\"\"/a.cfg\"\"", "/w"), "\"/a.cfg\"");
  EXPECT_EQ(ConfigPathFromOptions("File=\"", "/w"), "\"");
  EXPECT_EQ(ConfigPathFromOptions("File=\"/a\" b\"", "/w"), "/a\" b");
}

}  // namespace
}  // namespace kz::config
