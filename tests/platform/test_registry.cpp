// The registry store: the .reg text form, key and value rules, locked read-modify-write.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "support/file_faults.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using Kind = RegValue::Kind;

void ExpectValue(const RegistryHive& hive, std::string_view key, std::string_view name,
                 const RegValue& want) {
  const auto got = hive.GetValue(key, name);
  ASSERT_TRUE(got) << key << " " << name;
  EXPECT_EQ(got->kind, want.kind) << name;
  EXPECT_EQ(got->text, want.text) << name;
  EXPECT_EQ(got->dword, want.dword) << name;
}

TEST(RegistryHiveTest, EveryValueKindIsWrittenInRegFormAndReadBack) {
  const struct {
    const char* name;
    RegValue value;
    const char* line;
  } cases[] = {
      {"server path",
       {Kind::String, "C:\\Tools\\\"kz\".exe"},
       R"("server path"="C:\\Tools\\\"kz\".exe")"},
      {"server init time ms", {Kind::Dword, {}, 1500}, "\"server init time ms\"=dword:000005dc"},
      {"", {Kind::String, "default"}, "@=\"default\""},
      {"lines", {Kind::String, "a\r\nb"}, "\"lines\"=hex(1):61,0d,0a,62"},
      {"nul", {Kind::String, std::string("a\0b", 3)}, "\"nul\"=hex(1):61,00,62"},
      {"expand", {Kind::ExpandString, "%P%"}, "\"expand\"=hex(2):25,50,25"},
      {"latin", {Kind::String, "caf\xE9"}, "\"latin\"=\"caf\xE9\""},
  };
  RegistryHive hive;
  std::string want =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Kz]\r\n";
  for (const auto& c : cases) {
    hive.SetValue("Software\\Kz", c.name, c.value);
    want += c.line + std::string("\r\n");
  }
  EXPECT_EQ(hive.Serialize(), want);
  const RegistryHive back = RegistryHive::Parse(want);
  EXPECT_EQ(back.Serialize(), want);
  for (const auto& c : cases) ExpectValue(back, "SOFTWARE\\kz", c.name, c.value);
}

// Continuations, any case of "dword", the later of two key blocks; damaged values are not read.
TEST(RegistryHiveTest, HandWrittenFilesParse) {
  const RegistryHive hive = RegistryHive::Parse(
      "Windows Registry Editor Version 5.00\n\n; a comment\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Citect\\SCADA Installs\\7.20]\n"
      "\"Long\"=hex(2):41,42,\\\n  43,44\n"
      "\"Big\"=DWORD:FFFFFFFF\n\"TooLong\"=dword:123456789\n\"Broken\"=\"no end\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Citect\\SCADA Installs\\7.20]\n\"Big\"=dword:00000001\n");
  const std::string key = "Software\\Citect\\SCADA Installs\\7.20";
  ExpectValue(hive, key, "long", {Kind::ExpandString, "ABCD"});
  ExpectValue(hive, key, "big", {Kind::Dword, {}, 1});
  EXPECT_FALSE(hive.GetValue(key, "TooLong"));
  EXPECT_FALSE(hive.GetValue(key, "Broken"));
  EXPECT_EQ(hive.RootName(), "HKEY_LOCAL_MACHINE");
}

TEST(RegistryHiveTest, KeysMatchWithoutCaseImplyTheirParentsSortAndDeleteWhole) {
  RegistryHive hive = RegistryHive::Parse("[HKEY_LOCAL_MACHINE\\Software\\Citect\\7.20]\n");
  EXPECT_TRUE(hive.KeyExists("SOFTWARE\\citect"));
  EXPECT_TRUE(hive.KeyExists("\\Software\\Citect\\7.20\\"));
  EXPECT_FALSE(hive.KeyExists("Software\\Cit"));
  for (const char* name : {"b", "C", "a10", "A2", "6.10", "B\\deeper", "CITECT\\7.20"}) {
    hive.CreateKey(std::string("software\\") + name);
  }
  EXPECT_EQ(hive.Subkeys("SOFTWARE"),
            (std::vector<std::string>{"6.10", "a10", "A2", "b", "C", "Citect"}));
  EXPECT_EQ(hive.Subkeys("software\\citect"), std::vector<std::string>{"7.20"});
  EXPECT_TRUE(hive.Subkeys("software\\nosuch").empty());
  // A deleted tree takes everything below it and nothing beside or above it.
  hive.SetValue("CLSID", "above", {Kind::String, "kept"});
  hive.SetValue("CLSID\\{1}\\InprocServer32", "", {Kind::String, "/lib/x.so"});
  hive.SetValue("CLSID\\{10}", "", {Kind::String, "other"});
  hive.DeleteTree("clsid\\{1}");
  EXPECT_FALSE(hive.KeyExists("CLSID\\{1}"));
  ExpectValue(hive, "CLSID\\{10}", "", {Kind::String, "other"});
  ExpectValue(hive, "CLSID", "above", {Kind::String, "kept"});
  hive.DeleteValue("CLSID\\{10}", "");
  EXPECT_FALSE(hive.GetValue("CLSID\\{10}", ""));
  EXPECT_TRUE(hive.KeyExists("CLSID\\{10}"));
}

TEST(RegistryHiveTest, LinesNotUnderstoodAreWrittenBackInPlace) {
  RegistryHive hive = RegistryHive::Parse(
      "Windows Registry Editor Version 5.00\n\n; top comment\n"
      "[HKEY_CURRENT_USER\\A]\n\"x\"=\"1\"\n\"Binary\"=hex:01,02\n\"y\"=\"2\"\ngarbage line\n"
      "[-HKEY_CURRENT_USER\\Gone]\n\"orphan\"=\"x\"\n"
      "[HKEY_CURRENT_USER\\B]\n\"z\"=\"3\"\n");
  EXPECT_FALSE(hive.GetValue("A", "Binary"));
  EXPECT_FALSE(hive.KeyExists("Gone"));
  hive.SetValue("A", "w", {Kind::String, "4"});
  hive.DeleteValue("A", "x");
  EXPECT_EQ(hive.Serialize(),
            "Windows Registry Editor Version 5.00\r\n\r\n; top comment\r\n"
            "\r\n[HKEY_CURRENT_USER\\A]\r\n\"Binary\"=hex:01,02\r\n\"y\"=\"2\"\r\ngarbage line\r\n"
            "\"w\"=\"4\"\r\n[-HKEY_CURRENT_USER\\Gone]\r\n\"orphan\"=\"x\"\r\n"
            "\r\n[HKEY_CURRENT_USER\\B]\r\n\"z\"=\"3\"\r\n");
  // A kept line ending in a backslash must not take in the next line when read again.
  const std::string text =
      RegistryHive::Parse("[HKEY_CURRENT_USER\\A]\n\"x\"=hex(7):41,\\\\\n").Serialize();
  EXPECT_EQ(RegistryHive::Parse(text).Serialize(), text);
}

class RegistryTest : public test::TempEnvTest {};

TEST_F(RegistryTest, ModifyWritesTheHiveFileAndLoadReadsIt) {
  ASSERT_TRUE(Registry::SetString(Hive::LocalMachine, "Software\\X", "v", "1"));
  EXPECT_EQ(test::ReadFile(env_.registry() / "HKEY_LOCAL_MACHINE.reg"),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"v\"=\"1\"\r\n");
  EXPECT_EQ(Registry::GetString(Hive::LocalMachine, "software\\x", "V"), "1");
  EXPECT_EQ(Registry::GetString(Hive::CurrentUser, "Software\\X", "v"), std::nullopt);
  ASSERT_TRUE(Registry::Modify(Hive::ClassesRoot, [](RegistryHive& h) { h.DeleteTree("x"); }));
  EXPECT_FALSE(std::filesystem::exists(Registry::HivePath(Hive::ClassesRoot))) << "no change";
}

// Names with line breaks would inject lines; a hive that cannot be read is never replaced.
TEST_F(RegistryTest, RefusedWritesChangeNothing) {
  RegistryHive hive;
  EXPECT_FALSE(hive.SetValue("Software\\X", "a\nb", {}));
  EXPECT_FALSE(hive.CreateKey("Software\\Q\r"));
  EXPECT_EQ(hive.Serialize(), "Windows Registry Editor Version 5.00\r\n");
  EXPECT_TRUE(Registry::SetString(Hive::LocalMachine, "Software\\X\n", "v", "1")
                  .Is(Status::Kind::kInvalidArgument));
  std::filesystem::create_directories(Registry::HivePath(Hive::CurrentUser));
  EXPECT_FALSE(AppProfile::WriteString("settings", "server path", "/x"));
  EXPECT_TRUE(Registry::SetString(Hive::CurrentUser, "k", "v", "x").Is(Status::Kind::kIsFolder));
  EXPECT_TRUE(std::filesystem::is_directory(Registry::HivePath(Hive::CurrentUser)));
}

// Integers are dwords; a string that reads as a whole number counts as one, others not.
TEST_F(RegistryTest, AppProfileKeepsStringsAndIntegersUnderTheApplicationKey) {
  EXPECT_EQ(AppProfile::GetInt("settings", "server init time ms", -1), -1);
  ASSERT_TRUE(AppProfile::WriteInt("settings", "server init time ms", 1500));
  ASSERT_TRUE(AppProfile::WriteInt("settings", "negative", -2));
  ASSERT_TRUE(AppProfile::WriteString("settings", "as text", " 42 "));
  ASSERT_TRUE(AppProfile::WriteString("settings", "not a number", "42x"));
  EXPECT_EQ(AppProfile::GetInt("SETTINGS", "Server Init Time MS", -1), 1500);
  EXPECT_EQ(AppProfile::GetInt("settings", "negative", 0), -2);
  EXPECT_EQ(AppProfile::GetInt("settings", "as text", 0), 42);
  EXPECT_EQ(AppProfile::GetInt("settings", "not a number", 7), 7);
  EXPECT_EQ(AppProfile::GetString("settings", "server init time ms", "dw"), "dw");
  ExpectValue(Registry::Load(Hive::CurrentUser), "Software\\Thornbridge\\kzdlogsrv\\settings",
              "server init time ms", {Kind::Dword, {}, 1500});
}

TEST_F(RegistryTest, ConcurrentWritersInTwoProcessesLoseNoValue) {
  constexpr int kPerWriter = 60;
  const auto key = [](int w, int i) { return "w" + std::to_string(w) + "v" + std::to_string(i); };
  EXPECT_TRUE(test::InChildProcesses(2, [&](int w) {
    bool ok = true;
    for (int i = 0; i < kPerWriter; ++i) ok &= AppProfile::WriteInt("s", key(w, i), i);
    return ok;
  }));
  for (int w = 0; w < 2; ++w) {
    for (int i = 0; i < kPerWriter; ++i) EXPECT_EQ(AppProfile::GetInt("s", key(w, i), -1), i);
  }
  // Only the hive and its lock file: no temporary file is left behind.
  EXPECT_EQ(test::FileNames(env_.registry()),
            (std::vector<std::string>{"HKEY_CURRENT_USER.reg", "HKEY_CURRENT_USER.reg.lock"}));
}

}  // namespace
}  // namespace kz::platform
