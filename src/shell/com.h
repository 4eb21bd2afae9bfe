// The module's binary interface, COM-shaped, for hosts on this platform: GUIDs, HRESULT values,
// IUnknown, IDispatch, IClassFactory and IDlogServer, and the signatures of the module's exports.
// A host includes this header only, dlopens libkzdlogsrv.so and looks the exports up by name.
//
// Interfaces are abstract classes whose virtual functions are in COM slot order (IUnknown 0-2,
// IDispatch 3-6, IDlogServer 7-13), without virtual destructors, so the vtable layout is the
// same in every compiler of the Itanium C++ ABI. Objects are reference counted: whoever receives
// an interface pointer owns one reference and gives it back with Release.
#pragma once

#include <cstdint>

namespace kz::com {

// The module's file name; the host and the stand-in server look for it beside themselves.
inline constexpr char kModuleFileName[] = "libkzdlogsrv.so";

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};

constexpr bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;
using LONG = std::int32_t;
using OLECHAR = char16_t;  // options texts cross as UTF-16; a null pointer is the empty text

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

constexpr bool Succeeded(HRESULT hr) {
  return hr >= 0;
}

inline constexpr GUID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID IID_IClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID IID_IDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID IID_IDlogServer = {
    0x6D45C34D, 0x6429, 0x11D6, {0x88, 0x35, 0x00, 0x50, 0xBA, 0x58, 0x0A, 0xEB}};
inline constexpr GUID CLSID_DlogServer = {
    0x6D45C34E, 0x6429, 0x11D6, {0x88, 0x35, 0x00, 0x50, 0xBA, 0x58, 0x0A, 0xEB}};
inline constexpr GUID LIBID_KZDLOGSRVLib = {
    0x6D45C340, 0x6429, 0x11D6, {0x88, 0x35, 0x00, 0x50, 0xBA, 0x58, 0x0A, 0xEB}};

inline constexpr const char* kProgId = "Kzdlogsrv.DlogServer.1";
inline constexpr const char* kVersionIndependentProgId = "Kzdlogsrv.DlogServer";

class IUnknown {
 public:
  virtual HRESULT QueryInterface(const GUID& iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

// Answered with E_NOTIMPL by this module: there is no type library on this platform.
class IDispatch : public IUnknown {
 public:
  virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;
  virtual HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t lcid, void** info) = 0;
  virtual HRESULT GetIDsOfNames(const GUID& iid, OLECHAR** names, std::uint32_t count,
                                std::uint32_t lcid, LONG* ids) = 0;
  virtual HRESULT Invoke(LONG id, const GUID& iid, std::uint32_t lcid, std::uint16_t flags,
                         void* params, void* result, void* exception, std::uint32_t* arg_err) = 0;

 protected:
  ~IDispatch() = default;
};

class IClassFactory : public IUnknown {
 public:
  // `outer` non-null aggregates the new object; then only IID_IUnknown may be asked for.
  virtual HRESULT CreateInstance(IUnknown* outer, const GUID& iid, void** object) = 0;
  virtual HRESULT LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

// Each method passes the options text to the module's operation and writes its result to the
// last argument; the method itself returns S_OK (E_POINTER only for a null result pointer).
class IDlogServer : public IDispatch {
 public:
  virtual HRESULT Configure(const OLECHAR* options, LONG* result) = 0;
  virtual HRESULT StartServer(const OLECHAR* options, LONG* result) = 0;
  virtual HRESULT ServerMessage475(const OLECHAR* options, LONG* result) = 0;
  virtual HRESULT ServerMessage477(const OLECHAR* options, LONG* result) = 0;
  virtual HRESULT ServerMessage478(const OLECHAR* options, LONG* result) = 0;
  virtual HRESULT GetServerStatus(const OLECHAR* options, LONG* result) = 0;
  virtual HRESULT Reserved(LONG a, LONG b, LONG c, LONG d, LONG e) = 0;

 protected:
  ~IDlogServer() = default;
};

// The module's exports (C linkage, looked up with dlsym by these names).
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(const GUID* clsid, const GUID* iid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
// The status word chosen by the options text (a null pointer is the empty text), or -1 without
// a status block.
using GetServerStatFn = int (*)(const char* options);
// Stores the value into the chosen word and returns 1; 0 without a status block.
using SetServerStatFn = int (*)(const char* options, int value);
}

}  // namespace kz::com
