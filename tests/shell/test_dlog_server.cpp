#include <vector>

#include "app_fixture.h"
#include "shell/dlog_server.h"
#include "shell/utf16.h"

namespace kz::shell {
namespace {

// An outer object that aggregates a DlogServer and counts its own references.
class Outer final : public com::IUnknown {
 public:
  com::IUnknown* inner = nullptr;
  com::ULONG refs = 1;
  com::HRESULT QueryInterface(const com::GUID& iid, void** object) override {
    if (iid == com::IID_IUnknown) {
      *object = this;
      AddRef();
      return com::S_OK;
    }
    return inner->QueryInterface(iid, object);
  }
  com::ULONG AddRef() override { return ++refs; }
  com::ULONG Release() override { return --refs; }
};

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

TEST_F(DlogServerTest, QueryInterfaceAnswersItsThreeInterfacesWithOneIdentity) {
  com::IDlogServer* server = Create();
  void* unknown1 = nullptr;
  void* unknown2 = nullptr;
  void* dispatch = nullptr;
  void* again = nullptr;
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(server->QueryInterface(com::IID_IUnknown, &unknown1), com::S_OK);
  EXPECT_EQ(server->QueryInterface(com::IID_IDispatch, &dispatch), com::S_OK);
  EXPECT_EQ(static_cast<com::IDispatch*>(dispatch)->QueryInterface(com::IID_IUnknown, &unknown2),
            com::S_OK);
  EXPECT_EQ(unknown1, unknown2);
  EXPECT_EQ(server->QueryInterface(com::IID_IDlogServer, &again), com::S_OK);
  EXPECT_EQ(again, server);
  EXPECT_EQ(server->QueryInterface(com::IID_IClassFactory, &other), com::E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(server->AddRef(), 6u);
  for (int i = 0; i < 5; ++i) server->Release();
  EXPECT_EQ(ModuleLockCount(), 1);
  EXPECT_EQ(server->Release(), 0u);
  EXPECT_EQ(ModuleLockCount(), 0);
}

TEST_F(DlogServerTest, AggregatedObjectHandsOutOnlyItsInnerUnknownAndDelegates) {
  Outer outer;
  void* p = nullptr;
  EXPECT_EQ(factory_->CreateInstance(&outer, com::IID_IDlogServer, &p), com::CLASS_E_NOAGGREGATION);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(ModuleLockCount(), 0);

  ASSERT_EQ(factory_->CreateInstance(&outer, com::IID_IUnknown, &p), com::S_OK);
  outer.inner = static_cast<com::IUnknown*>(p);
  void* server_ptr = nullptr;
  ASSERT_EQ(outer.QueryInterface(com::IID_IDlogServer, &server_ptr), com::S_OK);
  auto* server = static_cast<com::IDlogServer*>(server_ptr);
  EXPECT_EQ(outer.refs, 2u) << "the interface's reference belongs to the outer object";
  void* identity = nullptr;
  ASSERT_EQ(server->QueryInterface(com::IID_IUnknown, &identity), com::S_OK);
  EXPECT_EQ(identity, &outer);
  outer.Release();
  server->Release();
  EXPECT_EQ(outer.refs, 1u);
  EXPECT_EQ(outer.inner->Release(), 0u);
  EXPECT_EQ(ModuleLockCount(), 0);
}

TEST_F(DlogServerTest, FactoryIsHandedOutForItsClassOnly) {
  void* p = nullptr;
  EXPECT_EQ(GetClassObject(*factory_, com::IID_IDlogServer, com::IID_IClassFactory, &p),
            com::CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(GetClassObject(*factory_, com::CLSID_DlogServer, com::IID_IDlogServer, &p),
            com::E_NOINTERFACE);
  ASSERT_EQ(GetClassObject(*factory_, com::CLSID_DlogServer, com::IID_IClassFactory, &p),
            com::S_OK);
  EXPECT_EQ(p, factory_.get());
  EXPECT_EQ(CanUnloadNow(), com::S_FALSE) << "a host holds the factory";
  factory_->Release();
  factory_->Release();  // one too many must not unlock anything
  EXPECT_EQ(ModuleLockCount(), 0);
  EXPECT_EQ(CanUnloadNow(), com::S_OK);
}

// Locks and live objects keep the module loaded; an extra unlock takes away no other holder's.
TEST_F(DlogServerTest, LocksAndObjectsKeepTheModuleLoaded) {
  com::IDlogServer* server = Create();
  EXPECT_EQ(factory_->LockServer(0), com::S_OK);
  EXPECT_EQ(CanUnloadNow(), com::S_FALSE) << "the object still holds the module";
  EXPECT_EQ(factory_->LockServer(1), com::S_OK);
  server->Release();
  EXPECT_EQ(CanUnloadNow(), com::S_FALSE) << "locked";
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
  com::LONG result = 99;
  std::vector<int> depth_in_windows;
  ui_.on_modal = [&](ui::Window&) {
    depth_in_windows.push_back(ui_.call_depth);
    return ui::DialogResult::Cancel;
  };
  app_->SetServerStat("product=citect", 2);
  EXPECT_EQ(server->GetServerStatus(u"Product=Citect", &result), com::S_OK);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(server->GetServerStatus(nullptr, &result), com::S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(server->ServerMessage475(u"", &result), com::S_OK);
  EXPECT_EQ(result, -1) << "no server";
  EXPECT_EQ(server->ServerMessage477(nullptr, &result), com::S_OK);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(server->ServerMessage478(u"product=citect", &result), com::S_OK);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(server->Configure(u"type=trend", &result), com::S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(server->Configure(nullptr, &result), com::S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(depth_in_windows, (std::vector<int>{1, 1}));
  EXPECT_EQ(ui_.calls, 7);
  EXPECT_EQ(ui_.call_depth, 0) << "every call has ended";
  EXPECT_EQ(server->Reserved(1, 2, 3, 4, 5), com::S_OK);
  EXPECT_EQ(server->GetServerStatus(u"", nullptr), com::E_POINTER);
  std::uint32_t count = 7;
  EXPECT_EQ(server->GetTypeInfoCount(&count), com::E_NOTIMPL);
  server->Release();
}

TEST(Utf16Test, OptionsTextSurvivesTheBoundaryByteForByte) {
  const std::string texts[] = {"",
                               "product=citect",
                               "File=/d\xC3\xA9j\xC3\xA0/a.cfg",
                               "File=/caf\xE9/a.cfg",
                               "\xF0\x9F\x93\x88 x",
                               "\xC0\xAF\xED\xA0\x80"};
  for (const auto& t : texts) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(t)), t);
  EXPECT_EQ(Utf8ToUtf16("d\xC3\xA9"), u"d\u00E9");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F4C8"), "\xF0\x9F\x93\x88");
  EXPECT_EQ(Utf16ToUtf8(std::u16string_view(u"a\xD800z", 3)), "a\xEF\xBF\xBDz");
  EXPECT_EQ(Utf16ToUtf8(static_cast<const char16_t*>(nullptr)), "");
}

TEST(Utf16Test, IsValidUtf8RefusesOverlongSurrogateAndCutSequences) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("d\xC3\xA9j\xC3\xA0 \xF0\x9F\x93\x88"));
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("x\xE2\x82"));
}

}  // namespace
}  // namespace kz::shell
