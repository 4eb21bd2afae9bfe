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

TEST_F(ProfileDocumentTest, NamesMatchWithoutCaseAndBlanksAroundNamesAndEqualsAreTrimmed) {
  ProfileDocument doc(" \t[ General ] trailing text\r\n \vNew File Mode\t = 3 \r\n");
  EXPECT_EQ(Get(doc, "general", "new file mode"), "3");
  EXPECT_EQ(Get(doc, "  GENERAL  ", "  NEW FILE MODE "), "3");
  // Requested names lose spaces only; a tab is part of the name.
  EXPECT_EQ(Get(doc, "\tgeneral", "new file mode"), "DEF");
  // Inner blanks count.
  EXPECT_EQ(Get(doc, "general", "newfile mode"), "DEF");
}

TEST_F(ProfileDocumentTest, OnePairOfEnclosingQuotesIsStripped) {
  ProfileDocument doc(
      "[s]\na=\" x \"\nb='y'\nc=\"z'\nd=\"\ne=\"\"\"\"\nf=  'q'  \ng=\"a\"b\"\nh=''\n");
  EXPECT_EQ(Get(doc, "s", "a"), " x ");
  EXPECT_EQ(Get(doc, "s", "b"), "y");
  EXPECT_EQ(Get(doc, "s", "c"), "\"z'");
  EXPECT_EQ(Get(doc, "s", "d"), "\"");
  EXPECT_EQ(Get(doc, "s", "e"), "\"\"");
  EXPECT_EQ(Get(doc, "s", "f"), "q");
  EXPECT_EQ(Get(doc, "s", "g"), "a\"b");
  EXPECT_EQ(Get(doc, "s", "h"), "");
}

TEST_F(ProfileDocumentTest, EmptyValueIsNotAMissingKeyAndDefaultLosesTrailingSpaces) {
  ProfileDocument doc("[s]\r\nk=\r\n");
  EXPECT_EQ(Get(doc, "s", "k"), "");
  EXPECT_EQ(doc.Find("s", "k"), std::optional<std::string_view>(""));
  EXPECT_EQ(Get(doc, "s", "missing", " 60 \t  "), " 60 \t");
  EXPECT_EQ(Get(doc, "nosuch", "k", "x  "), "x");
}

TEST_F(ProfileDocumentTest, ValuesAndDefaultsAreCutToBufferSizeMinusOne) {
  ProfileDocument doc("[s]\r\nk=abcdefghij\r\n");
  EXPECT_EQ(Get(doc, "s", "k", "", 10), "abcdefghi");
  EXPECT_EQ(Get(doc, "s", "k", "", 1), "");
  EXPECT_EQ(Get(doc, "s", "k", "", 0), "");
  EXPECT_EQ(Get(doc, "s", "missing", "123456", 4), "123");
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

TEST_F(ProfileDocumentTest, CommentsAndLinesWithoutEqualsAreNeverFound) {
  ProfileDocument doc("[s]\r\n;k=1\r\n  ; j=2\r\nbare line\r\n#x=3\r\na=b;c\r\n");
  EXPECT_EQ(Get(doc, "s", ";k"), "DEF");
  EXPECT_EQ(Get(doc, "s", "; j"), "DEF");
  EXPECT_EQ(Get(doc, "s", "bare line"), "DEF");
  EXPECT_EQ(Get(doc, "s", "#x"), "3");
  EXPECT_EQ(Get(doc, "s", "a"), "b;c");
  EXPECT_EQ(doc.KeyNames("s"), (std::vector<std::string>{"#x", "a"}));
}

TEST_F(ProfileDocumentTest, TextBeforeTheFirstSectionCannotBeRead) {
  ProfileDocument doc("k=1\r\n[s]\r\n");
  EXPECT_EQ(Get(doc, "", "k"), "DEF");
  EXPECT_FALSE(doc.HasSection(""));
  ProfileDocument empty_name("[]\nk=2\n[ a");
  EXPECT_EQ(Get(empty_name, "", "k"), "2");
  EXPECT_TRUE(empty_name.HasSection("a"));
}

TEST_F(ProfileDocumentTest, EveryLineEndEndsALineAndHighBytesPassThrough) {
  ProfileDocument doc("[s]\ra=1\nb=\xE9\xFF\r\nc=3");
  EXPECT_EQ(Get(doc, "s", "a"), "1");
  EXPECT_EQ(Get(doc, "s", "b"), "\xE9\xFF");
  EXPECT_EQ(Get(doc, "s", "c"), "3");
}

TEST_F(ProfileDocumentTest, ByteOrderMarkIsSkippedWhenReadingAndKeptWhenWriting) {
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(AfterSet(bom + "[s]\r\nk=1\r\n", "s", "k", "2"), bom + "[s]\r\nk=2\r\n");
  ProfileDocument doc(bom + "[s]\r\nk=1\r\n");
  EXPECT_EQ(Get(doc, "s", "k"), "1");
}

TEST_F(ProfileDocumentTest, ReplacedValueKeepsLinePositionAndTextUpToTheOldValue) {
  EXPECT_EQ(AfterSet("; c\n[S]\n  Key = old \n;x\n", "s", "KEY", "new"),
            "; c\n[S]\n  Key = new\r\n;x\n");
  EXPECT_EQ(AfterSet("[s]\r\nk=1", "s", "k", "22"), "[s]\r\nk=22\r\n");
  EXPECT_EQ(AfterSet("[s]\r\nk=   \r\n", "s", "k", "v"), "[s]\r\nk=   v\r\n");
}

TEST_F(ProfileDocumentTest, NewKeyGoesAfterTheLastKeyBeforeClosingCommentsAndBlankLines) {
  const std::string file = "[a]\r\nx=1\r\n; end of a\r\n\r\n[b]\r\ny=2\r\n";
  ProfileDocument doc(file);
  ASSERT_TRUE(doc.SetValue("a", "k1", "v1"));
  ASSERT_TRUE(doc.SetValue("a", "k2", "v2"));
  EXPECT_EQ(doc.Serialize(), "[a]\r\nx=1\r\nk1=v1\r\nk2=v2\r\n; end of a\r\n\r\n[b]\r\ny=2\r\n");
  EXPECT_EQ(AfterSet("[a]\n; only a comment\n[b]\n", "a", "k", "v"),
            "[a]\nk=v\r\n; only a comment\n[b]\n");
  EXPECT_EQ(AfterSet("[a]", "a", "k", "v"), "[a]\r\nk=v\r\n");
  EXPECT_EQ(AfterSet("[a]\nx=1", "a", "k", "v"), "[a]\nx=1\r\nk=v\r\n");
}

TEST_F(ProfileDocumentTest, NewSectionGoesAtTheVeryEndAfterTrailingBlankLines) {
  EXPECT_EQ(AfterSet("[a]\r\nx=1\r\n\r\n\r\n", "  New  ", "  k ", "v"),
            "[a]\r\nx=1\r\n\r\n\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(AfterSet("[a]\nx=1", "b", "k", "v"), "[a]\nx=1\r\n[b]\r\nk=v\r\n");
  EXPECT_EQ(AfterSet("[a]\rx=1\r", "b", "k", "v"), "[a]\rx=1\r[b]\r\nk=v\r\n");
  EXPECT_EQ(AfterSet("", "b", "k", " v "), "[b]\r\nk= v \r\n");
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
