// The registry store: the .reg text form, key and value rules, locked read-modify-write.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "support/file_faults.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using test::ReadFile;
using test::WriteFile;

RegValue Text(std::string text) {
  return {RegValue::Kind::String, std::move(text), 0};
}
RegValue Expand(std::string text) {
  return {RegValue::Kind::ExpandString, std::move(text), 0};
}
RegValue Dword(std::uint32_t n) {
  return {RegValue::Kind::Dword, {}, n};
}

void ExpectValue(const RegistryHive& hive, std::string_view key, std::string_view name,
                 const RegValue& want) {
  const auto got = hive.GetValue(key, name);
  ASSERT_TRUE(got) << key << " " << name;
  EXPECT_EQ(got->kind, want.kind) << name;
  EXPECT_EQ(got->text, want.text) << name;
  EXPECT_EQ(got->dword, want.dword) << name;
}

class RegistryHiveTest : public ::testing::Test {};

TEST_F(RegistryHiveTest, EveryValueKindIsWrittenInRegFormAndReadBack) {
  RegistryHive hive;
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "server path",
                Text("C:\\Tools\\\"kz\".exe"));
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "server init time ms", Dword(1500));
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "", Text("default"));
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "lines", Text("a\r\nb"));
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "nul", Text(std::string("a\0b", 3)));
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "expand", Expand("%P%"));
  hive.SetValue("Software\\Thornbridge\\kzdlogsrv\\settings", "latin", Text("caf\xE9"));
  const std::string bytes = hive.Serialize();
  EXPECT_EQ(bytes,
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Thornbridge]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Thornbridge\\kzdlogsrv]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Thornbridge\\kzdlogsrv\\settings]\r\n"
            "\"server path\"=\"C:\\\\Tools\\\\\\\"kz\\\".exe\"\r\n"
            "\"server init time ms\"=dword:000005dc\r\n"
            "@=\"default\"\r\n"
            "\"lines\"=hex(1):61,0d,0a,62\r\n"
            "\"nul\"=hex(1):61,00,62\r\n"
            "\"expand\"=hex(2):25,50,25\r\n"
            "\"latin\"=\"caf\xE9\"\r\n");
  const RegistryHive back = RegistryHive::Parse(bytes);
  EXPECT_EQ(back.Serialize(), bytes);
  const std::string key = "software\\THORNBRIDGE\\kzdlogsrv\\Settings";
  ExpectValue(back, key, "SERVER PATH", Text("C:\\Tools\\\"kz\".exe"));
  ExpectValue(back, key, "server init time ms", Dword(1500));
  ExpectValue(back, key, "", Text("default"));
  ExpectValue(back, key, "lines", Text("a\r\nb"));
  ExpectValue(back, key, "nul", Text(std::string("a\0b", 3)));
  ExpectValue(back, key, "expand", Expand("%P%"));
  ExpectValue(back, key, "latin", Text("caf\xE9"));
}

TEST_F(RegistryHiveTest, HandWrittenFilesWithContinuationsAndOddLinesParse) {
  const RegistryHive hive = RegistryHive::Parse(
      "Windows Registry Editor Version 5.00\n\n"
      "; a comment\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Citect\\SCADA Installs\\7.20\\CitectSCADA]\n"
      "\"DefaultINIPath\"=\"C:\\\\ProgramData\\\\citect.ini\"\n"
      "\"Long\"=hex(2):41,42,\\\n  43,44\n"
      "\"Big\"=DWORD:FFFFFFFF\n"
      "\"TooLong\"=dword:123456789\n"
      "\"Broken\"=\"no end\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Citect\\SCADA Installs\\7.20\\CitectSCADA]\n"
      "\"Big\"=dword:00000001\n");
  const std::string key = "Software\\Citect\\SCADA Installs\\7.20\\CitectSCADA";
  ExpectValue(hive, key, "defaultinipath", Text("C:\\ProgramData\\citect.ini"));
  ExpectValue(hive, key, "long", Expand("ABCD"));
  ExpectValue(hive, key, "big", Dword(1));  // the later line, as an import leaves it
  EXPECT_FALSE(hive.GetValue(key, "TooLong"));
  EXPECT_FALSE(hive.GetValue(key, "Broken"));
  EXPECT_EQ(hive.RootName(), "HKEY_LOCAL_MACHINE");
}

TEST_F(RegistryHiveTest, KeysMatchWithoutCaseAndImpliedParentsExist) {
  RegistryHive hive =
      RegistryHive::Parse("[HKEY_LOCAL_MACHINE\\Software\\Citect\\SCADA Installs\\7.20]\n");
  EXPECT_TRUE(hive.KeyExists("SOFTWARE\\citect"));
  EXPECT_TRUE(hive.KeyExists("\\Software\\Citect\\SCADA Installs\\7.20\\"));
  EXPECT_FALSE(hive.KeyExists("Software\\Cit"));
  EXPECT_EQ(hive.Subkeys("software"), std::vector<std::string>{"Citect"});
  hive.SetValue("SOFTWARE\\CITECT\\scada installs\\7.20", "X", Text("1"));
  EXPECT_EQ(hive.Subkeys("Software\\Citect\\SCADA Installs"), std::vector<std::string>{"7.20"});
}

TEST_F(RegistryHiveTest, SubkeysAreSortedWithoutCase) {
  RegistryHive hive;
  for (const char* name : {"b", "C", "a10", "A2", "7.20", "6.10", "B\\deeper"}) {
    hive.CreateKey(std::string("Root\\") + name);
  }
  EXPECT_EQ(hive.Subkeys("root"),
            (std::vector<std::string>{"6.10", "7.20", "a10", "A2", "b", "C"}));
  EXPECT_TRUE(hive.Subkeys("root\\nosuch").empty());
  EXPECT_EQ(hive.Subkeys(""), std::vector<std::string>{"Root"});
}

TEST_F(RegistryHiveTest, DeleteTreeRemovesTheKeyAndEverythingBelowOnly) {
  RegistryHive hive;
  hive.SetValue("CLSID\\{1}\\InprocServer32", "", Text("/lib/x.so"));
  hive.SetValue("CLSID\\{1}", "", Text("DlogServer"));
  hive.SetValue("CLSID\\{10}", "", Text("other"));
  hive.SetValue("Kzdlogsrv.DlogServer.1\\CLSID", "", Text("{1}"));
  hive.DeleteTree("clsid\\{1}");
  EXPECT_FALSE(hive.KeyExists("CLSID\\{1}"));
  EXPECT_FALSE(hive.KeyExists("CLSID\\{1}\\InprocServer32"));
  ExpectValue(hive, "CLSID\\{10}", "", Text("other"));
  ExpectValue(hive, "Kzdlogsrv.DlogServer.1\\CLSID", "", Text("{1}"));
  hive.DeleteValue("CLSID\\{10}", "");
  EXPECT_FALSE(hive.GetValue("CLSID\\{10}", ""));
  EXPECT_TRUE(hive.KeyExists("CLSID\\{10}"));
}

TEST_F(RegistryHiveTest, LinesNotUnderstoodAreWrittenBackInPlace) {
  RegistryHive hive = RegistryHive::Parse(
      "Windows Registry Editor Version 5.00\n\n"
      "; top comment\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "\"x\"=\"1\"\n"
      "\"Binary\"=hex:01,02\n"
      "\"y\"=\"2\"\n"
      "garbage line\n"
      "[-HKEY_CURRENT_USER\\Gone]\n"
      "\"orphan\"=\"x\"\n"
      "[HKEY_CURRENT_USER\\B]\n"
      "\"z\"=\"3\"\n");
  EXPECT_FALSE(hive.GetValue("A", "Binary"));
  EXPECT_FALSE(hive.KeyExists("Gone"));
  hive.SetValue("A", "w", Text("4"));
  hive.DeleteValue("A", "x");
  EXPECT_EQ(hive.Serialize(),
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "; top comment\r\n"
            "\r\n[HKEY_CURRENT_USER\\A]\r\n"
            "\"Binary\"=hex:01,02\r\n"
            "\"y\"=\"2\"\r\n"
            "garbage line\r\n"
            "\"w\"=\"4\"\r\n"
            "[-HKEY_CURRENT_USER\\Gone]\r\n"
            "\"orphan\"=\"x\"\r\n"
            "\r\n[HKEY_CURRENT_USER\\B]\r\n"
            "\"z\"=\"3\"\r\n");
}

// Kept as written, it would take in the next line when read again.
TEST_F(RegistryHiveTest, KeptLineEndingInABackslashStaysOneLine) {
  const std::string text =
      RegistryHive::Parse("[HKEY_CURRENT_USER\\A]\n\"x\"=hex(7):41,\\\\\n").Serialize();
  EXPECT_EQ(RegistryHive::Parse(text).Serialize(), text);
}

TEST_F(RegistryHiveTest, NamesWithLineBreaksAreRefused) {
  RegistryHive hive;
  EXPECT_FALSE(hive.SetValue("Software\\X", "a\nb", Text("v")));
  EXPECT_FALSE(hive.SetValue("Software\\Y\rZ", "a", Text("v")));
  EXPECT_FALSE(hive.CreateKey("Software\\Q\n"));
  EXPECT_FALSE(hive.KeyExists("Software"));
  EXPECT_EQ(hive.Serialize(), "Windows Registry Editor Version 5.00\r\n");
}

class RegistryTest : public test::TempEnvTest {};

TEST_F(RegistryTest, ModifyWritesTheHiveFileAndLoadReadsIt) {
  ASSERT_TRUE(Registry::SetString(Hive::LocalMachine, "Software\\X", "v", "1"));
  EXPECT_EQ(Registry::HivePath(Hive::LocalMachine), env_.registry() / "HKEY_LOCAL_MACHINE.reg");
  EXPECT_EQ(ReadFile(env_.registry() / "HKEY_LOCAL_MACHINE.reg"),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"v\"=\"1\"\r\n");
  EXPECT_EQ(Registry::GetString(Hive::LocalMachine, "software\\x", "V"), "1");
  EXPECT_EQ(Registry::GetString(Hive::CurrentUser, "Software\\X", "v"), std::nullopt);
}

TEST_F(RegistryTest, HiveThatCannotBeReadIsNeverReplaced) {
  std::filesystem::create_directories(Registry::HivePath(Hive::CurrentUser));
  EXPECT_FALSE(AppProfile::WriteString("settings", "server path", "/x"));
  EXPECT_TRUE(Registry::SetString(Hive::CurrentUser, "k", "v", "x").Is(Status::Kind::kIsFolder));
  EXPECT_TRUE(std::filesystem::is_directory(Registry::HivePath(Hive::CurrentUser)));
}

TEST_F(RegistryTest, RefusedNameFailsTheWrite) {
  EXPECT_FALSE(AppProfile::WriteString("settings", "a\nb", "v"));
  EXPECT_FALSE(AppProfile::WriteInt("set\rtings", "n", 1));
  EXPECT_TRUE(Registry::SetString(Hive::LocalMachine, "Software\\X\n", "v", "1")
                  .Is(Status::Kind::kInvalidArgument));
  EXPECT_TRUE(AppProfile::WriteString("settings", "ab", "v"));
}

TEST_F(RegistryTest, EditThatChangesNothingWritesNothing) {
  ASSERT_TRUE(Registry::Modify(Hive::ClassesRoot, [](RegistryHive& h) { h.DeleteTree("x"); }));
  EXPECT_FALSE(std::filesystem::exists(Registry::HivePath(Hive::ClassesRoot)));
}

TEST_F(RegistryTest, AppProfileKeepsStringsAndIntegersUnderTheApplicationKey) {
  EXPECT_EQ(AppProfile::GetString("settings", "server path", "none"), "none");
  EXPECT_EQ(AppProfile::GetInt("settings", "server init time ms", -1), -1);
  ASSERT_TRUE(AppProfile::WriteString("settings", "server path", ""));
  ASSERT_TRUE(AppProfile::WriteInt("settings", "server init time ms", 1500));
  ASSERT_TRUE(AppProfile::WriteInt("citect add tag", "resolve mode", -2));
  ASSERT_TRUE(AppProfile::WriteString("settings", "as text", " 42 "));
  ASSERT_TRUE(AppProfile::WriteString("settings", "not a number", "42x"));
  EXPECT_EQ(AppProfile::GetString("settings", "server path", "none"), "");
  EXPECT_EQ(AppProfile::GetInt("SETTINGS", "Server Init Time MS", -1), 1500);
  EXPECT_EQ(AppProfile::GetInt("citect add tag", "resolve mode", 0), -2);
  EXPECT_EQ(AppProfile::GetInt("settings", "as text", 0), 42);
  EXPECT_EQ(AppProfile::GetInt("settings", "not a number", 7), 7);
  EXPECT_EQ(AppProfile::GetString("settings", "server init time ms", "dw"), "dw");
  const auto hive = Registry::Load(Hive::CurrentUser);
  ExpectValue(hive, "Software\\Thornbridge\\kzdlogsrv\\settings", "server init time ms",
              Dword(1500));
}

TEST_F(RegistryTest, ConcurrentWritersInTwoProcessesLoseNoValue) {
  constexpr int kPerWriter = 60;
  EXPECT_TRUE(test::InChildProcesses(2, [&](int w) {
    bool ok = true;
    for (int i = 0; i < kPerWriter; ++i) {
      ok &= AppProfile::WriteInt("w" + std::to_string(w), "v" + std::to_string(i), i);
    }
    return ok;
  }));
  for (int w = 0; w < 2; ++w) {
    for (int i = 0; i < kPerWriter; ++i) {
      EXPECT_EQ(AppProfile::GetInt("w" + std::to_string(w), "v" + std::to_string(i), -1), i);
    }
  }
  // Only the hive and its lock file: no temporary file is left behind.
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(env_.registry())) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"HKEY_CURRENT_USER.reg", "HKEY_CURRENT_USER.reg.lock"}));
}

}  // namespace
}  // namespace kz::platform
