#include <vector>

#include "app_fixture.h"
#include "shell/dlog_server.h"
#include "shell/utf16.h"

namespace kz::shell {
namespace {

class DlogServerTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    factory_ = std::make_unique<CDlogServerFactory>(*app_);
    ASSERT_EQ(ModuleLockCount(), 0);
  }
  com::IDlogServer* Create() {
    void* p = nullptr;
    EXPECT_EQ(factory_->CreateInstance(nullptr, com::IID_IDlogServer, &p), com::S_OK);
    return static_cast<com::IDlogServer*>(p);
  }
  std::unique_ptr<CDlogServerFactory> factory_;
};

// A live object holds the module; an outer object may ask for IUnknown only.
TEST_F(DlogServerTest, ObjectsAndTheFactoryAnswerOnlyTheirInterfaces) {
  com::IDlogServer* server = Create();
  void* dispatch = nullptr;
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(server->QueryInterface(com::IID_IDispatch, &dispatch), com::S_OK);
  EXPECT_EQ(server->QueryInterface(com::IID_IClassFactory, &other), com::E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  static_cast<com::IDispatch*>(dispatch)->Release();
  EXPECT_EQ(CanUnloadNow(), com::S_FALSE);
  EXPECT_EQ(server->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), com::S_OK);

  void* p = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory_->CreateInstance(factory_.get(), com::IID_IDlogServer, &p),
            com::CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(GetClassObject(*factory_, com::IID_IDlogServer, com::IID_IClassFactory, &p),
            com::CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(GetClassObject(*factory_, com::CLSID_DlogServer, com::IID_IDlogServer, &p),
            com::E_NOINTERFACE);
  ASSERT_EQ(GetClassObject(*factory_, com::CLSID_DlogServer, com::IID_IClassFactory, &p),
            com::S_OK);
  EXPECT_EQ(p, factory_.get());
  factory_->Release();
  EXPECT_EQ(ModuleLockCount(), 0);
}

// An unlock without a lock of this factory takes away no other holder's.
TEST_F(DlogServerTest, LocksAndObjectsKeepTheModuleLoaded) {
  com::IDlogServer* server = Create();
  EXPECT_EQ(factory_->LockServer(0), com::S_OK);
  EXPECT_EQ(CanUnloadNow(), com::S_FALSE) << "the object still holds the module";
  EXPECT_EQ(factory_->LockServer(1), com::S_OK);
  server->Release();
  EXPECT_EQ(factory_->LockServer(0), com::S_OK);
  EXPECT_EQ(factory_->LockServer(0), com::S_OK);
  EXPECT_EQ(ModuleLockCount(), 0);
  EXPECT_EQ(factory_->LockServer(1), com::S_OK);
  EXPECT_EQ(CanUnloadNow(), com::S_FALSE);
  EXPECT_EQ(factory_->LockServer(0), com::S_OK);
  EXPECT_EQ(CanUnloadNow(), com::S_OK);
}

// Each method is one call of the UI service, whatever windows it shows.
TEST_F(DlogServerTest, MethodsForwardTheConvertedOptionsAndAlwaysSucceed) {
  com::IDlogServer* server = Create();
  std::vector<int> depth_in_windows;
  ui_.on_modal = [&](ui::Window&) {
    depth_in_windows.push_back(ui_.call_depth);
    return ui::DialogResult::Cancel;
  };
  app_->SetServerStat("product=citect", 2);
  const struct {
    com::HRESULT (com::IDlogServer::*method)(const char16_t*, com::LONG*);
    const char16_t* options;
    com::LONG result;
  } cases[] = {
      {&com::IDlogServer::GetServerStatus, u"Product=Citect", 2},
      {&com::IDlogServer::GetServerStatus, nullptr, 0},
      {&com::IDlogServer::ServerMessage477, nullptr, -1},  // no server
      {&com::IDlogServer::Configure, u"type=trend", 0},
  };
  for (const auto& c : cases) {
    com::LONG result = 99;
    EXPECT_EQ((server->*c.method)(c.options, &result), com::S_OK);
    EXPECT_EQ(result, c.result);
  }
  EXPECT_EQ(depth_in_windows, (std::vector<int>{1}));
  EXPECT_EQ(ui_.calls, 4);
  EXPECT_EQ(ui_.call_depth, 0) << "every call has ended";
  EXPECT_EQ(server->GetServerStatus(u"", nullptr), com::E_POINTER);
  server->Release();
}

// Bytes that are not UTF-8 (Latin-1 paths) survive the UTF-16 boundary too.
TEST(Utf16Test, OptionsTextSurvivesTheBoundaryByteForByte) {
  // Overlong, surrogate, beyond U+10FFFF and cut sequences are not UTF-8 either.
  for (const std::string t : {"File=/d\xC3\xA9j\xC3\xA0/a.cfg", "File=/caf\xE9/a.cfg",
                              "\xF0\x9F\x93\x88 \xF4\x8F\xBF\xBF", "\xC0\xAF", "\xED\xA0\x80",
                              "\xF4\x90\x80\x80", "x\xE2\x82"}) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(t)), t);
  }
  EXPECT_EQ(Utf8ToUtf16("d\xC3\xA9"), u"d\u00E9");
  EXPECT_EQ(Utf16ToUtf8(std::u16string_view(u"a\xD800z", 3)), "a\xEF\xBF\xBDz");
  EXPECT_EQ(Utf16ToUtf8(static_cast<const char16_t*>(nullptr)), "");
}

}  // namespace
}  // namespace kz::shell
