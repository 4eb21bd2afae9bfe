// Reading and editing the text of a profile file, byte for byte.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/profile_document.h"

namespace kz::platform {
namespace {

std::string Get(const ProfileDocument& doc, std::string_view section, std::string_view key,
                std::string_view def = "DEF", std::size_t size = 1024) {
  return doc.GetString(section, key, def, size);
}

// Applies a value write and returns the resulting bytes.
std::string AfterSet(std::string_view bytes, std::string_view section, std::string_view key,
                     std::string_view value) {
  ProfileDocument doc(bytes);
  EXPECT_TRUE(doc.SetValue(section, key, value));
  return doc.Serialize();
}

class ProfileDocumentTest : public ::testing::Test {};

// What a read finds: names without case, blanks trimmed, one pair of quotes stripped, comments
// and bare lines never found, every line end ending a line, defaults cut to the buffer.
TEST_F(ProfileDocumentTest, ReadsFindValuesAsTheWindowsReaderDoes) {
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
      {"[s]\nf=  'q'  \n", "s", "f", "DEF", 1024, "q"},
      {"[s]\ng=\"a\"b\"\n", "s", "g", "DEF", 1024, "a\"b"},
      {"[s]\nh=''\n", "s", "h", "DEF", 1024, ""},
      {"[s]\r\nk=\r\n", "s", "k", "DEF", 1024, ""},
      {"[s]\r\nk=\r\n", "s", "missing", " 60 \t  ", 1024, " 60 \t"},
      {"[s]\r\nk=\r\n", "nosuch", "k", "x  ", 1024, "x"},
      {"[s]\r\nk=abcdefghij\r\n", "s", "k", "", 10, "abcdefghi"},
      {"[s]\r\nk=abcdefghij\r\n", "s", "k", "", 1, ""},
      {"[s]\r\nk=abcdefghij\r\n", "s", "k", "", 0, ""},
      {"[s]\r\nk=abcdefghij\r\n", "s", "missing", "123456", 4, "123"},
      {"[s]\r\n;k=1\r\n", "s", ";k", "DEF", 1024, "DEF"},
      {"[s]\r\n  ; j=2\r\n", "s", "; j", "DEF", 1024, "DEF"},
      {"[s]\r\nbare line\r\n", "s", "bare line", "DEF", 1024, "DEF"},
      {"[s]\r\n#x=3\r\n", "s", "#x", "DEF", 1024, "3"},
      {"[s]\r\na=b;c\r\n", "s", "a", "DEF", 1024, "b;c"},
      {"k=1\r\n[s]\r\n", "", "k", "DEF", 1024, "DEF"},  // before the first section
      {"[]\nk=2\n[ a", "", "k", "DEF", 1024, "2"},
      {"[s]\ra=1\nb=\xE9\xFF\r\nc=3", "s", "a", "DEF", 1024, "1"},
      {"[s]\ra=1\nb=\xE9\xFF\r\nc=3", "s", "b", "DEF", 1024, "\xE9\xFF"},
      {"[s]\ra=1\nb=\xE9\xFF\r\nc=3", "s", "c", "DEF", 1024, "3"},
      {"\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "DEF", 1024, "1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Get(ProfileDocument(c.text), c.section, c.key, c.def, c.size), c.want)
        << c.text << " [" << c.section << "] " << c.key;
  }
  ProfileDocument doc("[s]\r\nk=\r\n;x=1\r\n#x=3\r\na=b\r\n");
  EXPECT_EQ(doc.Find("s", "k"), std::optional<std::string_view>(""));
  EXPECT_EQ(doc.KeyNames("s"), (std::vector<std::string>{"k", "#x", "a"}));
  EXPECT_FALSE(ProfileDocument("k=1\r\n[s]\r\n").HasSection(""));
  EXPECT_TRUE(ProfileDocument("[]\nk=2\n[ a").HasSection("a"));
}

TEST_F(ProfileDocumentTest, FirstOfDuplicateSectionsAndKeysWinsUntilItIsDeleted) {
  ProfileDocument doc("[s]\nk=1\nk=2\n[S]\nk=3\nj=4\n");
  EXPECT_EQ(Get(doc, "s", "k"), "1");
  EXPECT_EQ(Get(doc, "s", "j"), "DEF");
  EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"s"}));
  EXPECT_EQ(doc.KeyNames("S"), (std::vector<std::string>{"k"}));
  ASSERT_TRUE(doc.SetValue("s", "K", "x"));
  EXPECT_EQ(doc.Serialize(), "[s]\nk=x\r\nk=2\n[S]\nk=3\nj=4\n");
  // Deleting the first uncovers the next.
  ASSERT_TRUE(doc.DeleteKey("s", "k"));
  EXPECT_EQ(Get(doc, "s", "k"), "2");
  ASSERT_TRUE(doc.DeleteSection("s"));
  EXPECT_EQ(Get(doc, "s", "k"), "3");
  EXPECT_EQ(doc.Serialize(), "[S]\nk=3\nj=4\n");
}

// Asked names lose spaces only, so "\tA" does not find "A" but its new header reads as "A".
TEST_F(ProfileDocumentTest, SectionWrittenWithOuterTabsBecomesADuplicateOfItsTrimmedName) {
  ProfileDocument doc("[A]\r\nk=1\r\n");
  ASSERT_TRUE(doc.SetValue("\tA", "k", "2"));
  EXPECT_EQ(doc.Serialize(), "[A]\r\nk=1\r\n[\tA]\r\nk=2\r\n");
  EXPECT_EQ(Get(doc, "a", "k"), "1");
  ASSERT_TRUE(doc.DeleteSection("A"));
  EXPECT_EQ(Get(doc, "a", "k"), "2");  // as a fresh reading of the text finds it
  EXPECT_EQ(Get(ProfileDocument(doc.Serialize()), "a", "k"), "2");
}

// A replaced value keeps its line and the text up to the old value; a new key goes after the
// last key, before closing comments and blank lines; a new section at the very end.
TEST_F(ProfileDocumentTest, WritesPlaceTheirLinesAsTheWindowsWriterDoes) {
  const struct {
    std::string_view text, section, key, value, want;
  } cases[] = {
      {"; c\n[S]\n  Key = old \n;x\n", "s", "KEY", "new", "; c\n[S]\n  Key = new\r\n;x\n"},
      {"[s]\r\nk=1", "s", "k", "22", "[s]\r\nk=22\r\n"},
      {"[s]\r\nk=   \r\n", "s", "k", "v", "[s]\r\nk=   v\r\n"},
      {"\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "2", "\xEF\xBB\xBF[s]\r\nk=2\r\n"},
      {"[a]\r\nx=1\r\n; end of a\r\n\r\n[b]\r\n", "a", "k", "v",
       "[a]\r\nx=1\r\nk=v\r\n; end of a\r\n\r\n[b]\r\n"},
      {"[a]\n; only a comment\n[b]\n", "a", "k", "v", "[a]\nk=v\r\n; only a comment\n[b]\n"},
      {"[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
      {"[a]\nx=1", "a", "k", "v", "[a]\nx=1\r\nk=v\r\n"},
      {"[a]\r\nx=1\r\n\r\n\r\n", "  New  ", "  k ", "v", "[a]\r\nx=1\r\n\r\n\r\n[New]\r\nk=v\r\n"},
      {"[a]\nx=1", "b", "k", "v", "[a]\nx=1\r\n[b]\r\nk=v\r\n"},
      {"[a]\rx=1\r", "b", "k", "v", "[a]\rx=1\r[b]\r\nk=v\r\n"},
      {"", "b", "k", " v ", "[b]\r\nk= v \r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(AfterSet(c.text, c.section, c.key, c.value), c.want);
  ProfileDocument doc("[a]\r\nx=1\r\n; end\r\n");
  ASSERT_TRUE(doc.SetValue("a", "k1", "v1"));
  ASSERT_TRUE(doc.SetValue("a", "k2", "v2"));
  EXPECT_EQ(doc.Serialize(), "[a]\r\nx=1\r\nk1=v1\r\nk2=v2\r\n; end\r\n");
}

TEST_F(ProfileDocumentTest, KeyBeginningWithSemicolonAlwaysAddsALine) {
  ProfileDocument doc("[s]\r\n");
  ASSERT_TRUE(doc.SetValue("s", ";k", "1"));
  ASSERT_TRUE(doc.SetValue("s", ";k", "2"));
  EXPECT_EQ(doc.Serialize(), "[s]\r\n;k=1\r\n;k=2\r\n");
}

TEST_F(ProfileDocumentTest, WritesThatWouldInjectLinesOrNamesAreRefused) {
  const std::string file = "[s]\r\nk=1\r\n";
  ProfileDocument doc(file);
  EXPECT_FALSE(doc.SetValue("s", "k", "a\r\nx=1"));
  EXPECT_FALSE(doc.SetValue("s", "k", "a\nb"));
  EXPECT_FALSE(doc.SetValue("s", "j", "a\rb"));
  EXPECT_FALSE(doc.SetValue("s\n[t]", "k", "v"));
  EXPECT_FALSE(doc.SetValue("s", "k\nj", "v"));
  EXPECT_FALSE(doc.SetValue("t]x", "k", "v"));
  EXPECT_FALSE(doc.SetValue("s", "a=b", "v"));
  EXPECT_FALSE(doc.SetValue("s", "   ", "v"));
  EXPECT_FALSE(doc.SetValue("s", "[t]", "v"));
  EXPECT_EQ(doc.Serialize(), file);
}

TEST_F(ProfileDocumentTest, DeletingAKeyRemovesOnlyItsLineAndKeepsAnEmptiedHeader) {
  ProfileDocument doc("[s]\r\n; about k\r\nk=1\r\n[t]\r\n");
  EXPECT_FALSE(doc.DeleteKey("s", "missing"));
  EXPECT_FALSE(doc.DeleteKey("missing", "k"));
  ASSERT_TRUE(doc.DeleteKey("S", "K"));
  EXPECT_EQ(doc.Serialize(), "[s]\r\n; about k\r\n[t]\r\n");
  EXPECT_TRUE(doc.HasSection("s"));
}

TEST_F(ProfileDocumentTest, DeletingASectionKeepsItsCommentsAndBlankLines) {
  ProfileDocument doc("top\r\n[a]\r\nx=1\r\n; note\r\nbare\r\n\r\ny=2\r\n[b]\r\nz=3\r\n");
  EXPECT_FALSE(doc.DeleteSection("missing"));
  ASSERT_TRUE(doc.DeleteSection("A"));
  EXPECT_EQ(doc.Serialize(), "top\r\n; note\r\n\r\n[b]\r\nz=3\r\n");
  EXPECT_FALSE(doc.HasSection("a"));
  EXPECT_EQ(Get(doc, "b", "z"), "3");
  // The kept lines belong to no section: a new "a" goes at the end.
  ASSERT_TRUE(doc.SetValue("a", "x", "9"));
  EXPECT_EQ(doc.Serialize(), "top\r\n; note\r\n\r\n[b]\r\nz=3\r\n[a]\r\nx=9\r\n");
}

// Many deletions and additions in a shuffled order, checked against a plain map and against a
// fresh reading of the text: the section and key indexes (sections of up to 20 keys, so both
// the small and the indexed kind) must follow every edit.
TEST_F(ProfileDocumentTest, IndexesFollowManyEditsInAnyOrder) {
  ProfileDocument doc;
  std::map<std::string, std::map<std::string, std::string>> want;
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string section = "Sec" + std::to_string(next(60));
    const std::string key = "k" + std::to_string(next(20));
    switch (next(4)) {
      case 0:
        EXPECT_EQ(doc.DeleteSection(section), want.erase(section) == 1);
        break;
      case 1: {
        const auto it = want.find(section);
        const bool present = it != want.end() && it->second.count(key);
        EXPECT_EQ(doc.DeleteKey(section, key), present);
        if (present) it->second.erase(key);
        break;
      }
      default: {
        const std::string value = std::to_string(round);
        ASSERT_TRUE(doc.SetValue(section, key, value));
        want[section][key] = value;
      }
    }
  }
  const ProfileDocument reread(doc.Serialize());
  for (int s = 0; s < 60; ++s) {
    const std::string section = "SEC" + std::to_string(s);
    const auto it = want.find("Sec" + std::to_string(s));
    EXPECT_EQ(doc.HasSection(section), it != want.end());
    EXPECT_EQ(reread.HasSection(section), it != want.end());
    for (int k = 0; k < 20; ++k) {
      const std::string key = "K" + std::to_string(k);
      const bool present = it != want.end() && it->second.count("k" + std::to_string(k));
      const std::string expected = present ? it->second.at("k" + std::to_string(k)) : "none";
      EXPECT_EQ(Get(doc, section, key, "none"), expected);
      EXPECT_EQ(Get(reread, section, key, "none"), expected);
    }
  }
}

// Short sections are searched line by line and long ones through an index: both must follow
// the same rules, also as edits move a section from one kind to the other.
TEST_F(ProfileDocumentTest, ShortAndLongSectionsReadAndEditAlike) {
  for (const int fillers : {0, 5, 6, 30}) {
    std::string text = "[s]\r\nDup = first\r\n;dup=comment\r\n";
    for (int i = 0; i < fillers; ++i)
      text += "f" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "DUP=second\r\n";
    ProfileDocument doc(text);
    SCOPED_TRACE(fillers);
    EXPECT_EQ(Get(doc, "s", "dup"), "first");
    EXPECT_EQ(doc.KeyNames("s").front(), "Dup");
    EXPECT_EQ(doc.KeyNames("s").size(), static_cast<std::size_t>(fillers) + 1);
    ASSERT_TRUE(doc.SetValue("s", "new", "n"));
    ASSERT_TRUE(doc.SetValue("s", "dup", "1st"));
    EXPECT_EQ(Get(doc, "s", "new"), "n");
    EXPECT_EQ(Get(doc, "s", "DUP"), "1st");
    ASSERT_TRUE(doc.DeleteKey("s", "dup"));
    EXPECT_EQ(Get(doc, "s", "dup"), "second");  // the next of the duplicates comes forward
    if (fillers > 0) {
      const std::string last = std::to_string(fillers - 1);
      EXPECT_EQ(Get(doc, "s", "f" + last), last);
    }
    ASSERT_TRUE(doc.DeleteKey("s", "f0") || fillers == 0);
    EXPECT_EQ(Get(doc, "s", "new"), "n");
    EXPECT_EQ(Get(doc, "s", "dup"), "second");
    EXPECT_EQ(Get(ProfileDocument(doc.Serialize()), "s", "dup"), "second");
  }
}

TEST_F(ProfileDocumentTest, CopiesAreIndependent) {
  ProfileDocument a("[s]\r\nk=1\r\n");
  ProfileDocument b = a;
  ASSERT_TRUE(b.SetValue("s", "k", "2"));
  EXPECT_EQ(Get(a, "s", "k"), "1");
  EXPECT_EQ(Get(b, "s", "k"), "2");
  a = b;
  EXPECT_EQ(Get(a, "s", "k"), "2");
  // A copy of an edited document outlives the original, edited lines included.
  auto edited = std::make_unique<ProfileDocument>("[s]\r\n");
  for (int i = 0; i < 20; ++i) edited->SetValue("t", "k" + std::to_string(i), "x");
  ASSERT_TRUE(edited->SetValue("s", "short", "y"));
  ProfileDocument copy(*edited);
  edited.reset();
  EXPECT_EQ(Get(copy, "T", "K19"), "x");
  EXPECT_EQ(Get(copy, "s", "short"), "y");
  ASSERT_TRUE(copy.DeleteKey("t", "k0"));
  ASSERT_TRUE(copy.SetValue("t", "k1", "z"));
  EXPECT_EQ(copy.KeyNames("t").size(), 19u);
  EXPECT_EQ(Get(copy, "t", "k1"), "z");
  EXPECT_TRUE(ProfileDocument().Empty());
  EXPECT_FALSE(a.Empty());
}

}  // namespace
}  // namespace kz::platform
