// CDlogServer: the class behind the coclass DlogServer. It implements IDlogServer by forwarding
// each method to an operation of the application object, converting the UTF-16 options text to
// the module's 8-bit text first. It holds no state of its own.
//
// Objects are created by CDlogServerFactory and can be aggregated: created with an outer unknown
// they hand out their non-delegating IUnknown, and every other interface delegates its reference
// counting and QueryInterface to the outer object. Each live object and each LockServer(TRUE)
// counts in ModuleLockCount(); the module may be unloaded only at 0 (CanUnloadNow).
#pragma once

#include <atomic>

#include "shell/com.h"

namespace kz::shell {

class CKzdlogsrvApp;

// Objects + server locks + class factory references held by hosts.
long ModuleLockCount();
// DllCanUnloadNow: S_OK when the count is 0, else S_FALSE.
com::HRESULT CanUnloadNow();

class CDlogServer final : public com::IDlogServer {
 public:
  // Creates an object on `app` (borrowed; must outlive the object) and returns the interface
  // `iid` through `object` with one reference. With `outer`, only IID_IUnknown may be asked for
  // (CLASS_E_NOAGGREGATION otherwise).
  static com::HRESULT Create(CKzdlogsrvApp& app, com::IUnknown* outer, const com::GUID& iid,
                             void** object);

  com::HRESULT QueryInterface(const com::GUID& iid, void** object) override;
  com::ULONG AddRef() override;
  com::ULONG Release() override;

  com::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  com::HRESULT GetTypeInfo(std::uint32_t, std::uint32_t, void** info) override;
  com::HRESULT GetIDsOfNames(const com::GUID&, com::OLECHAR**, std::uint32_t, std::uint32_t,
                             com::LONG*) override;
  com::HRESULT Invoke(com::LONG, const com::GUID&, std::uint32_t, std::uint16_t, void*, void*,
                      void*, std::uint32_t*) override;

  com::HRESULT Configure(const com::OLECHAR* options, com::LONG* result) override;
  com::HRESULT StartServer(const com::OLECHAR* options, com::LONG* result) override;
  com::HRESULT ServerMessage475(const com::OLECHAR* options, com::LONG* result) override;
  com::HRESULT ServerMessage477(const com::OLECHAR* options, com::LONG* result) override;
  com::HRESULT ServerMessage478(const com::OLECHAR* options, com::LONG* result) override;
  com::HRESULT GetServerStatus(const com::OLECHAR* options, com::LONG* result) override;
  com::HRESULT Reserved(com::LONG, com::LONG, com::LONG, com::LONG, com::LONG) override;

 private:
  // The identity of the object: never delegates.
  class Inner final : public com::IUnknown {
   public:
    explicit Inner(CDlogServer& owner) : owner_(owner) {}
    com::HRESULT QueryInterface(const com::GUID& iid, void** object) override;
    com::ULONG AddRef() override;
    com::ULONG Release() override;

   private:
    CDlogServer& owner_;
  };

  CDlogServer(CKzdlogsrvApp& app, com::IUnknown* outer);
  ~CDlogServer();

  CKzdlogsrvApp& app_;
  Inner inner_{*this};
  com::IUnknown* outer_;  // the outer object, or &inner_ when not aggregated; not owned
  std::atomic<com::ULONG> refs_{0};
};

// The class factory of CDlogServer. The module keeps one (created once); it is never deleted by
// Release, but references that hosts hold keep the module locked.
class CDlogServerFactory final : public com::IClassFactory {
 public:
  explicit CDlogServerFactory(CKzdlogsrvApp& app) : app_(app) {}

  com::HRESULT QueryInterface(const com::GUID& iid, void** object) override;
  com::ULONG AddRef() override;
  com::ULONG Release() override;
  com::HRESULT CreateInstance(com::IUnknown* outer, const com::GUID& iid, void** object) override;
  com::HRESULT LockServer(com::BOOL lock) override;

 private:
  CKzdlogsrvApp& app_;
  std::atomic<com::ULONG> refs_{1};  // the module's own
  // LockServer(TRUE) calls not yet undone: an extra LockServer(FALSE) must not take away locks
  // that objects or other references hold.
  std::atomic<long> server_locks_{0};
};

// DllGetClassObject's work: the factory for CLSID_DlogServer, CLASS_E_CLASSNOTAVAILABLE for any
// other class.
com::HRESULT GetClassObject(CDlogServerFactory& factory, const com::GUID& clsid,
                            const com::GUID& iid, void** object);

}  // namespace kz::shell
