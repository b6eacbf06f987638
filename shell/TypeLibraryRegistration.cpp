#include "TypeLibraryRegistration.h"

#include <oleauto.h>

#include "ComReference.h"

namespace {

using RegisterForUserFunction = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnregisterForUserFunction = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

// The per-user functions are missing from older automation libraries.
template <typename Function>
Function AutomationFunction(const char* name) {
  HMODULE automation = ::GetModuleHandleW(L"oleaut32.dll");
  if (automation == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(automation, name)));
}

std::wstring HelpDirectory(const std::wstring& modulePath) {
  std::size_t separator = modulePath.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : modulePath.substr(0, separator);
}

HRESULT LoadLibraryOf(const std::wstring& modulePath, ComReference<ITypeLib>& library) {
  return ::LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.receive());
}

}  // namespace

HRESULT RegisterTypeLibrary(const std::wstring& modulePath, bool perUser) {
  ComReference<ITypeLib> library;
  if (HRESULT hr = LoadLibraryOf(modulePath, library); FAILED(hr)) return hr;
  std::wstring path = modulePath;
  std::wstring helpDirectory = HelpDirectory(modulePath);
  auto registerForUser = perUser ? AutomationFunction<RegisterForUserFunction>(
                                       "RegisterTypeLibForUser")
                                 : nullptr;
  if (registerForUser != nullptr) {
    return registerForUser(library.get(), path.data(), helpDirectory.data());
  }
  return ::RegisterTypeLib(library.get(), path.data(), helpDirectory.data());
}

HRESULT UnregisterTypeLibrary(const std::wstring& modulePath, bool perUser) {
  ComReference<ITypeLib> library;
  if (HRESULT hr = LoadLibraryOf(modulePath, library); FAILED(hr)) return hr;
  TLIBATTR* attributes = nullptr;
  if (HRESULT hr = library->GetLibAttr(&attributes); FAILED(hr)) return hr;
  const TLIBATTR identity = *attributes;
  library->ReleaseTLibAttr(attributes);
  auto unregisterForUser = perUser ? AutomationFunction<UnregisterForUserFunction>(
                                         "UnRegisterTypeLibForUser")
                                   : nullptr;
  auto unregister = unregisterForUser != nullptr ? unregisterForUser : &::UnRegisterTypeLib;
  return unregister(identity.guid, identity.wMajorVerNum, identity.wMinorVerNum, identity.lcid,
                    identity.syskind);
}
