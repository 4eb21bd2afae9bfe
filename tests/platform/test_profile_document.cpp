// Reading and editing the text of a profile file, byte for byte.
#include <gtest/gtest.h>

#include <memory>

#include "platform/profile_document.h"

namespace kz::platform {
namespace {

std::string Get(const ProfileDocument& doc, std::string_view section, std::string_view key,
                std::string_view def = "DEF", std::size_t size = 1024) {
  return doc.GetString(section, key, def, size);
}

// What a read finds: names without case, blanks trimmed, one pair of quotes stripped, comments
// and bare lines never found, every line end ending a line, defaults cut to the buffer.
TEST(ProfileDocumentTest, ReadsFindValuesAsTheWindowsReaderDoes) {
  const struct {
    std::string_view text, section, key, def;
    std::size_t size;
    std::string_view want;
  } cases[] = {
      {" \t[ General ] trailing text\r\n \vNew File Mode\t = 3 \r\n", "general", "new file mode",
       "DEF", 1024, "3"},
      {"[ General ]\r\nNew File Mode = 3\r\n", "  GENERAL  ", "  NEW FILE MODE ", "DEF", 1024, "3"},
      {"[General]\r\nk=3\r\n", "\tgeneral", "k", "DEF", 1024, "DEF"},  // a tab is part of the name
      {"[s]\r\nnew file=3\r\n", "s", "newfile", "DEF", 1024, "DEF"},   // inner blanks count
      {"[s]\na=\" x \"\n", "s", "a", "DEF", 1024, " x "},
      {"[s]\nb='y'\n", "s", "b", "DEF", 1024, "y"},
      {"[s]\nc=\"z'\n", "s", "c", "DEF", 1024, "\"z'"},
      {"[s]\nd=\"\n", "s", "d", "DEF", 1024, "\""},
      {"[s]\ne=\"\"\"\"\n", "s", "e", "DEF", 1024, "\"\""},
      {"[s]\r\nk=\r\n", "s", "missing", " 60 \t  ", 1024, " 60 \t"},
      {"[s]\r\nk=abcdefghij\r\n", "s", "k", "", 10, "abcdefghi"},
      {"[s]\r\nk=abcdefghij\r\n", "s", "k", "", 0, ""},
      {"[s]\r\nk=abcdefghij\r\n", "s", "missing", "123456", 4, "123"},
      {"[s]\r\n  ; j=2\r\n", "s", "; j", "DEF", 1024, "DEF"},
      {"[s]\r\n#x=3\r\n", "s", "#x", "DEF", 1024, "3"},
      {"[s]\r\na=b;c\r\n", "s", "a", "DEF", 1024, "b;c"},
      {"k=1\r\n[s]\r\n", "", "k", "DEF", 1024, "DEF"},  // before the first section
      {"[]\nk=2\n[ a", "", "k", "DEF", 1024, "2"},
      {"[s]\ra=1\nb=\xE9\xFF\r\nc=3", "s", "b", "DEF", 1024, "\xE9\xFF"},  // any line end
      {"[s]\ra=1\nb=\xE9\xFF\r\nc=3", "s", "c", "DEF", 1024, "3"},
      {"\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "DEF", 1024, "1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Get(ProfileDocument(c.text), c.section, c.key, c.def, c.size), c.want)
        << c.text << " [" << c.section << "] " << c.key;
  }
  ProfileDocument doc("[s]\r\nk=\r\n;x=1\r\nbare\r\n#x=3\r\na=b\r\n");
  EXPECT_EQ(doc.Find("s", "k"), std::optional<std::string_view>(""));
  EXPECT_EQ(doc.KeyNames("s"), (std::vector<std::string>{"k", "#x", "a"}));
  EXPECT_FALSE(ProfileDocument("k=1\r\n[s]\r\n").HasSection(""));
  EXPECT_TRUE(ProfileDocument("[]\nk=2\n[ a").HasSection("a"));  // a header left open
}

// A replaced value keeps its line and the text up to the old value; a new key goes after the
// last key, before closing comments and blank lines; a new section at the very end.
TEST(ProfileDocumentTest, WritesPlaceTheirLinesAsTheWindowsWriterDoes) {
  const struct {
    std::string_view text, section, key, value, want;
  } cases[] = {
      {"; c\n[S]\n  Key = old \n;x\n", "s", "KEY", "new", "; c\n[S]\n  Key = new\r\n;x\n"},
      {"[s]\r\nk=1", "s", "k", "22", "[s]\r\nk=22\r\n"},
      {"[s]\r\nk=   \r\n", "s", "k", "v", "[s]\r\nk=   v\r\n"},
      {"[a]\r\nx=1\r\n; end of a\r\n\r\n[b]\r\n", "a", "k", "v",
       "[a]\r\nx=1\r\nk=v\r\n; end of a\r\n\r\n[b]\r\n"},
      {"[a]\n; only a comment\n[b]\n", "a", "k", "v", "[a]\nk=v\r\n; only a comment\n[b]\n"},
      {"[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"[a]\r\nx=1\r\n\r\n\r\n", "  New  ", "  k ", "v", "[a]\r\nx=1\r\n\r\n\r\n[New]\r\nk=v\r\n"},
      {"[a]\rx=1\r", "b", "k", "v", "[a]\rx=1\r[b]\r\nk=v\r\n"},
      {"", "b", "k", " v ", "[b]\r\nk= v \r\n"},
      // Asked names lose spaces only: "\tA" is a section of its own, whose header reads as "A".
      {"[A]\r\nk=1\r\n", "\tA", "k", "2", "[A]\r\nk=1\r\n[\tA]\r\nk=2\r\n"},
  };
  for (const auto& c : cases) {
    ProfileDocument doc(c.text);
    EXPECT_TRUE(doc.SetValue(c.section, c.key, c.value));
    EXPECT_EQ(doc.Serialize(), c.want);
  }
  // Later keys follow earlier ones; a key beginning with a semicolon always adds a line.
  ProfileDocument doc("[a]\r\nx=1\r\n; end\r\n");
  for (const char* key : {"k1", "k2", ";k", ";k"}) ASSERT_TRUE(doc.SetValue("a", key, "v"));
  EXPECT_EQ(doc.Serialize(), "[a]\r\nx=1\r\nk1=v\r\nk2=v\r\n;k=v\r\n;k=v\r\n; end\r\n");
}

TEST(ProfileDocumentTest, WritesThatWouldInjectLinesOrNamesAreRefused) {
  const std::string file = "[s]\r\nk=1\r\n";
  ProfileDocument doc(file);
  const std::string_view refused[][3] = {
      {"s", "k", "a\r\nx=1"}, {"s", "j", "a\rb"}, {"s\n[t]", "k", "v"}, {"s", "k\nj", "v"},
      {"t]x", "k", "v"},      {"s", "a=b", "v"},  {"s", "   ", "v"},    {"s", "[t]", "v"}};
  for (const auto& r : refused) EXPECT_FALSE(doc.SetValue(r[0], r[1], r[2])) << r[1] << r[2];
  EXPECT_EQ(doc.Serialize(), file);
}

// Deleting a key removes its line only; deleting a section keeps its comments and blank lines,
// which then belong to no section; duplicates of a deleted key or section come forward.
TEST(ProfileDocumentTest, DeletionsRemoveOnlyTheirLinesAndUncoverDuplicates) {
  ProfileDocument doc("top\r\n[a]\r\nx=1\r\n; note\r\nbare\r\n\r\ny=2\r\n[b]\r\n; k\r\nk=3\r\n");
  EXPECT_FALSE(doc.DeleteSection("missing"));
  EXPECT_FALSE(doc.DeleteKey("b", "missing"));
  ASSERT_TRUE(doc.DeleteSection("A"));
  ASSERT_TRUE(doc.DeleteKey("B", "K"));
  EXPECT_EQ(doc.Serialize(), "top\r\n; note\r\n\r\n[b]\r\n; k\r\n");
  EXPECT_TRUE(doc.HasSection("b"));
  ASSERT_TRUE(doc.SetValue("a", "x", "9"));
  EXPECT_EQ(doc.Serialize(), "top\r\n; note\r\n\r\n[b]\r\n; k\r\n[a]\r\nx=9\r\n");

  ProfileDocument dup("[s]\nk=1\nk=2\n[S]\nk=3\nj=4\n");
  EXPECT_EQ(Get(dup, "s", "j"), "DEF");
  EXPECT_EQ(dup.SectionNames(), (std::vector<std::string>{"s"}));
  ASSERT_TRUE(dup.DeleteKey("s", "k"));
  EXPECT_EQ(Get(dup, "s", "k"), "2");
  ASSERT_TRUE(dup.DeleteSection("s"));
  EXPECT_EQ(Get(dup, "s", "k"), "3");
  EXPECT_EQ(dup.Serialize(), "[S]\nk=3\nj=4\n");
}

// Short sections are searched line by line and long ones through an index: both must follow
// the same rules, also as edits move a section from one kind to the other.
TEST(ProfileDocumentTest, ShortAndLongSectionsReadAndEditAlike) {
  for (const int fillers : {0, 5, 6, 30}) {
    std::string text = "[s]\r\nDup = first\r\n;dup=comment\r\n";
    for (int i = 0; i < fillers; ++i)
      text += "f" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "DUP=second\r\n";
    ProfileDocument doc(text);
    SCOPED_TRACE(fillers);
    EXPECT_EQ(Get(doc, "s", "dup"), "first");
    EXPECT_EQ(doc.KeyNames("s").size(), static_cast<std::size_t>(fillers) + 1);
    ASSERT_TRUE(doc.SetValue("s", "new", "n"));
    ASSERT_TRUE(doc.SetValue("s", "dup", "1st"));
    EXPECT_EQ(Get(doc, "s", "DUP"), "1st");
    ASSERT_TRUE(doc.DeleteKey("s", "dup"));
    ASSERT_TRUE(doc.DeleteKey("s", "f0") || fillers == 0);
    EXPECT_EQ(Get(doc, "s", "new"), "n");
    EXPECT_EQ(Get(doc, "s", "dup"), "second");
    EXPECT_EQ(Get(ProfileDocument(doc.Serialize()), "s", "dup"), "second");
  }
}

// A copy of an edited document outlives the original, edited lines included.
TEST(ProfileDocumentTest, CopiesAreIndependent) {
  auto edited = std::make_unique<ProfileDocument>("[s]\r\nk=1\r\n");
  for (int i = 0; i < 20; ++i) edited->SetValue("t", "k" + std::to_string(i), "x");
  ProfileDocument copy(*edited);
  ASSERT_TRUE(copy.SetValue("s", "k", "2"));
  ASSERT_TRUE(edited->SetValue("s", "j", "3"));  // both write after the copy
  EXPECT_EQ(Get(*edited, "s", "k"), "1");
  EXPECT_EQ(Get(copy, "s", "k"), "2");
  edited.reset();
  EXPECT_EQ(Get(copy, "T", "K19"), "x");
  ASSERT_TRUE(copy.DeleteKey("t", "k0"));
  EXPECT_EQ(copy.KeyNames("t").size(), 19u);
  EXPECT_EQ(Get(copy, "s", "k"), "2");
}

}  // namespace
}  // namespace kz::platform
