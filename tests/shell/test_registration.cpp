#include "platform/registry.h"
#include "shell/guid.h"
#include "shell/registration.h"
#include "support/temp_env.h"

namespace kz::shell {
namespace {

using platform::Hive;
using platform::Registry;

constexpr const char* kClassKey = "CLSID\\{6D45C34E-6429-11D6-8835-0050BA580AEB}";

class RegistrationTest : public test::TempEnvTest {
 protected:
  static std::optional<std::string> Value(const std::string& key, const std::string& name = "") {
    return Registry::GetString(Hive::ClassesRoot, key, name);
  }
};

TEST_F(RegistrationTest, RegistrationWritesTheScriptsKeys) {
  ASSERT_EQ(RegisterServer("/opt/kz dir/libkzdlogsrv.so"), com::S_OK);
  const auto hive = Registry::Load(Hive::ClassesRoot);
  EXPECT_EQ(Value("Kzdlogsrv.DlogServer.1"), "DlogServer Class");
  EXPECT_EQ(Value("Kzdlogsrv.DlogServer.1\\CLSID"), "{6D45C34E-6429-11D6-8835-0050BA580AEB}");
  EXPECT_EQ(Value("Kzdlogsrv.DlogServer"), "DlogServer Class");
  EXPECT_EQ(Value("Kzdlogsrv.DlogServer\\CLSID"), "{6D45C34E-6429-11D6-8835-0050BA580AEB}");
  EXPECT_EQ(Value("Kzdlogsrv.DlogServer\\CurVer"), "Kzdlogsrv.DlogServer.1");
  EXPECT_EQ(Value(kClassKey), "DlogServer Class");
  EXPECT_EQ(hive.Subkeys(kClassKey),
            (std::vector<std::string>{"InprocServer32", "ProgID", "Programmable", "TypeLib",
                                      "VersionIndependentProgID"}));
  EXPECT_EQ(Value(std::string(kClassKey) + "\\ProgID"), "Kzdlogsrv.DlogServer.1");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\VersionIndependentProgID"), "Kzdlogsrv.DlogServer");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\InprocServer32"), "/opt/kz dir/libkzdlogsrv.so");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(Value(std::string(kClassKey) + "\\TypeLib"), "{6D45C340-6429-11D6-8835-0050BA580AEB}");
  EXPECT_EQ(RegisteredModulePath("Kzdlogsrv.DlogServer.1"), "/opt/kz dir/libkzdlogsrv.so");
}

TEST_F(RegistrationTest, ClassKeyIsReplacedWholeAndOthersUnderClsidSurvive) {
  ASSERT_TRUE(Registry::Modify(Hive::ClassesRoot, [](platform::RegistryHive& hive) {
    hive.SetValue(std::string(kClassKey) + "\\Stale", "",
                  {platform::RegValue::Kind::String, "old", 0});
    hive.SetValue("CLSID\\{00000000-1111-2222-3333-444444444444}", "",
                  {platform::RegValue::Kind::String, "Other Class", 0});
  }));
  ASSERT_EQ(RegisterServer("/a/libkzdlogsrv.so"), com::S_OK);
  const auto hive = Registry::Load(Hive::ClassesRoot);
  EXPECT_FALSE(hive.KeyExists(std::string(kClassKey) + "\\Stale"));

  ASSERT_EQ(UnregisterServer(), com::S_OK);
  EXPECT_EQ(Registry::Load(Hive::ClassesRoot).Serialize(),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID]\r\n"
            "\r\n[HKEY_CLASSES_ROOT\\CLSID\\{00000000-1111-2222-3333-444444444444}]\r\n"
            "@=\"Other Class\"\r\n");
  EXPECT_EQ(RegisteredModulePath("Kzdlogsrv.DlogServer.1"), std::nullopt);
  // Broken CLSID text is no registration either.
  ASSERT_TRUE(
      Registry::SetString(Hive::ClassesRoot, "Kzdlogsrv.DlogServer.1\\CLSID", "", "{junk}"));
  EXPECT_EQ(RegisteredModulePath("Kzdlogsrv.DlogServer.1"), std::nullopt);
}

TEST(GuidTest, FormatsAndParsesTheRegistryForm) {
  EXPECT_EQ(FormatGuid(com::CLSID_DlogServer), "{6D45C34E-6429-11D6-8835-0050BA580AEB}");
  EXPECT_EQ(ParseGuid("{6d45c34e-6429-11d6-8835-0050ba580aeb}"), com::CLSID_DlogServer);
  EXPECT_EQ(ParseGuid(FormatGuid(com::IID_IDispatch)), com::IID_IDispatch);
  for (const char* bad :
       {"", "6D45C34E-6429-11D6-8835-0050BA580AEB", "{6D45C34E-6429-11D6-8835-0050BA580AEG}",
        "{6D45C34E-6429-11D6-88350-050BA580AEB}", "{6D45C34E-6429-11D6-8835}"}) {
    EXPECT_EQ(ParseGuid(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace kz::shell
