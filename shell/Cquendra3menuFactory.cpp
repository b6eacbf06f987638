#include "Cquendra3menuFactory.h"

#include "ComFence.h"
#include "Cquendra3menu.h"
#include "ServerLock.h"

IFACEMETHODIMP Cquendra3menuFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

IFACEMETHODIMP_(ULONG) Cquendra3menuFactory::AddRef() {
  return ::InterlockedIncrement(&referenceCount);
}

IFACEMETHODIMP_(ULONG) Cquendra3menuFactory::Release() {
  ULONG remaining = ::InterlockedDecrement(&referenceCount);
  if (remaining == 0) delete this;
  return remaining;
}

IFACEMETHODIMP Cquendra3menuFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return Fenced([&] { return Cquendra3menu::Create(module, iid, object); });
}

IFACEMETHODIMP Cquendra3menuFactory::LockServer(BOOL lock) {
  if (lock) {
    ServerLock::Add();
  } else {
    ServerLock::Remove();
  }
  return S_OK;
}
