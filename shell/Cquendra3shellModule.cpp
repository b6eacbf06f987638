#include "Cquendra3shellModule.h"

#include <new>

#include "ComFence.h"
#include "Cquendra3menuFactory.h"
#include "Identifiers.h"
#include "Registration.h"
#include "ServerLock.h"

namespace {

Cquendra3shellModule theModule;

// Holds the module's critical section for the life of the scope.
class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CRITICAL_SECTION& section) noexcept : section(section) {
    ::EnterCriticalSection(&section);
  }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;
  ~CriticalSectionLock() { ::LeaveCriticalSection(&section); }

 private:
  CRITICAL_SECTION& section;
};

}  // namespace

Cquendra3shellModule& Cquendra3shellModule::GetInstance() { return theModule; }

Cquendra3shellModule::Cquendra3shellModule()
    : started(::InitializeCriticalSectionAndSpinCount(&factoryGuard, 0) != FALSE) {}

Cquendra3shellModule::~Cquendra3shellModule() {
  classFactory.reset();
  if (started) ::DeleteCriticalSection(&factoryGuard);
}

HRESULT Cquendra3shellModule::GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!started || instance == nullptr) return E_UNEXPECTED;
  if (!IsEqualCLSID(clsid, kClsidQuendra3menu)) return CLASS_E_CLASSNOTAVAILABLE;
  IClassFactory* factory = nullptr;
  if (HRESULT hr = CachedFactory(factory); FAILED(hr)) return hr;
  return factory->QueryInterface(iid, object);
}

// Two threads may ask for the first factory at once; both must get the same one.
HRESULT Cquendra3shellModule::CachedFactory(IClassFactory*& factory) {
  CriticalSectionLock lock(factoryGuard);
  if (!classFactory) {
    classFactory.reset(new (std::nothrow) Cquendra3menuFactory(instance));
    if (!classFactory) return E_OUTOFMEMORY;
  }
  factory = classFactory.get();
  return S_OK;
}

HRESULT Cquendra3shellModule::CanUnloadNow() const noexcept {
  return ServerLock::AnyHeld() ? S_FALSE : S_OK;
}

HRESULT Cquendra3shellModule::RegisterServer() {
  return Fenced([&] { return RegisterModule(instance, perUserRegistration); });
}

HRESULT Cquendra3shellModule::UnregisterServer() {
  return Fenced([&] { return UnregisterModule(instance, perUserRegistration); });
}

HRESULT Cquendra3shellModule::Install(BOOL install, const wchar_t* commandLine) {
  if (commandLine != nullptr && ::CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) ==
                                    CSTR_EQUAL) {
    perUserRegistration = true;
  }
  if (!install) return UnregisterServer();
  HRESULT hr = RegisterServer();
  // A registration that stopped half-way is taken back rather than left behind.
  if (FAILED(hr)) UnregisterServer();
  return hr;
}
