#include "shell/dlog_server.h"

#include <new>

#include "shell/kzdlogsrv_app.h"
#include "shell/utf16.h"

namespace kz::shell {
namespace {

std::atomic<long> g_locks{0};

void LockModule() {
  ++g_locks;
}
void UnlockModule() {
  --g_locks;
}

template <typename Operation>
com::HRESULT Forward(CKzdlogsrvApp& app, const com::OLECHAR* options, com::LONG* result,
                     Operation operation) {
  if (!result) return com::E_POINTER;
  // Windows opened during the call, and what shows them, end with it.
  const ui::CallScope call(app.ui());
  *result = operation(Utf16ToUtf8(options));
  return com::S_OK;
}

}  // namespace

long ModuleLockCount() {
  return g_locks.load();
}

com::HRESULT CanUnloadNow() {
  return g_locks.load() == 0 ? com::S_OK : com::S_FALSE;
}

com::HRESULT CDlogServer::Create(CKzdlogsrvApp& app, com::IUnknown* outer, const com::GUID& iid,
                                 void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  // An aggregating outer object must hold the inner identity, nothing else.
  if (outer && !(iid == com::IID_IUnknown)) return com::CLASS_E_NOAGGREGATION;
  auto* server = new (std::nothrow) CDlogServer(app, outer);
  if (!server) return com::E_OUTOFMEMORY;
  const com::HRESULT hr = server->inner_.QueryInterface(iid, object);
  if (!com::Succeeded(hr)) delete server;
  return hr;
}

CDlogServer::CDlogServer(CKzdlogsrvApp& app, com::IUnknown* outer)
    : app_(app), outer_(outer ? outer : &inner_) {
  LockModule();
}

CDlogServer::~CDlogServer() {
  UnlockModule();
}

com::HRESULT CDlogServer::Inner::QueryInterface(const com::GUID& iid, void** object) {
  if (!object) return com::E_POINTER;
  if (iid == com::IID_IUnknown) {
    *object = static_cast<com::IUnknown*>(this);
  } else if (iid == com::IID_IDispatch || iid == com::IID_IDlogServer) {
    *object = static_cast<com::IDlogServer*>(&owner_);
  } else {
    *object = nullptr;
    return com::E_NOINTERFACE;
  }
  static_cast<com::IUnknown*>(*object)->AddRef();
  return com::S_OK;
}

com::ULONG CDlogServer::Inner::AddRef() {
  return ++owner_.refs_;
}

com::ULONG CDlogServer::Inner::Release() {
  const com::ULONG left = --owner_.refs_;
  if (left == 0) delete &owner_;
  return left;
}

com::HRESULT CDlogServer::QueryInterface(const com::GUID& iid, void** object) {
  return outer_->QueryInterface(iid, object);
}
com::ULONG CDlogServer::AddRef() {
  return outer_->AddRef();
}
com::ULONG CDlogServer::Release() {
  return outer_->Release();
}

com::HRESULT CDlogServer::GetTypeInfoCount(std::uint32_t* count) {
  if (count) *count = 0;
  return com::E_NOTIMPL;
}
com::HRESULT CDlogServer::GetTypeInfo(std::uint32_t, std::uint32_t, void** info) {
  if (info) *info = nullptr;
  return com::E_NOTIMPL;
}
com::HRESULT CDlogServer::GetIDsOfNames(const com::GUID&, com::OLECHAR**, std::uint32_t,
                                        std::uint32_t, com::LONG*) {
  return com::E_NOTIMPL;
}
com::HRESULT CDlogServer::Invoke(com::LONG, const com::GUID&, std::uint32_t, std::uint16_t, void*,
                                 void*, void*, std::uint32_t*) {
  return com::E_NOTIMPL;
}

com::HRESULT CDlogServer::Configure(const com::OLECHAR* options, com::LONG* result) {
  return Forward(app_, options, result, [this](const std::string& o) { return app_.Configure(o); });
}
com::HRESULT CDlogServer::StartServer(const com::OLECHAR* options, com::LONG* result) {
  return Forward(app_, options, result,
                 [this](const std::string& o) { return app_.StartServer(o); });
}
com::HRESULT CDlogServer::ServerMessage475(const com::OLECHAR* options, com::LONG* result) {
  return Forward(app_, options, result,
                 [this](const std::string& o) { return app_.SendServerMessage(o, kMsgServer475); });
}
com::HRESULT CDlogServer::ServerMessage477(const com::OLECHAR* options, com::LONG* result) {
  return Forward(app_, options, result,
                 [this](const std::string& o) { return app_.SendServerMessage(o, kMsgServer477); });
}
com::HRESULT CDlogServer::ServerMessage478(const com::OLECHAR* options, com::LONG* result) {
  return Forward(app_, options, result,
                 [this](const std::string& o) { return app_.SendServerMessage(o, kMsgServer478); });
}
com::HRESULT CDlogServer::GetServerStatus(const com::OLECHAR* options, com::LONG* result) {
  return Forward(app_, options, result,
                 [this](const std::string& o) { return app_.GetServerStatus(o); });
}
com::HRESULT CDlogServer::Reserved(com::LONG, com::LONG, com::LONG, com::LONG, com::LONG) {
  return com::S_OK;
}

com::HRESULT CDlogServerFactory::QueryInterface(const com::GUID& iid, void** object) {
  if (!object) return com::E_POINTER;
  if (iid == com::IID_IUnknown || iid == com::IID_IClassFactory) {
    *object = static_cast<com::IClassFactory*>(this);
    AddRef();
    return com::S_OK;
  }
  *object = nullptr;
  return com::E_NOINTERFACE;
}

com::ULONG CDlogServerFactory::AddRef() {
  LockModule();
  return ++refs_;
}

com::ULONG CDlogServerFactory::Release() {
  // Never below the module's own reference: an extra Release must not unlock others' locks.
  com::ULONG refs = refs_.load();
  while (refs > 1 && !refs_.compare_exchange_weak(refs, refs - 1)) {
  }
  if (refs <= 1) return 1;
  UnlockModule();
  return refs - 1;
}

com::HRESULT CDlogServerFactory::CreateInstance(com::IUnknown* outer, const com::GUID& iid,
                                                void** object) {
  return CDlogServer::Create(app_, outer, iid, object);
}

com::HRESULT CDlogServerFactory::LockServer(com::BOOL lock) {
  if (lock) {
    ++server_locks_;
    LockModule();
    return com::S_OK;
  }
  long locks = server_locks_.load();
  while (locks > 0 && !server_locks_.compare_exchange_weak(locks, locks - 1)) {
  }
  if (locks > 0) UnlockModule();
  return com::S_OK;
}

com::HRESULT GetClassObject(CDlogServerFactory& factory, const com::GUID& clsid,
                            const com::GUID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (!(clsid == com::CLSID_DlogServer)) return com::CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, object);
}

}  // namespace kz::shell
