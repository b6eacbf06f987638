#include "Registration.h"

#include <string>
#include <vector>

#include "Identifiers.h"
#include "RegistryScript.h"
#include "TypeLibraryRegistration.h"
#include "platform/WindowsHandles.h"

namespace {

constexpr int kAppIdScript = 101;
constexpr int kClassScript = 102;

// Registration text is compared and written under the system's locale, whatever
// the calling thread uses.
class SystemThreadLocale {
 public:
  SystemThreadLocale() noexcept : previous(::GetThreadLocale()) {
    ::SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
  }
  SystemThreadLocale(const SystemThreadLocale&) = delete;
  SystemThreadLocale& operator=(const SystemThreadLocale&) = delete;
  ~SystemThreadLocale() { ::SetThreadLocale(previous); }

 private:
  LCID previous;
};

std::wstring ModulePath(HINSTANCE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Per-user registration puts the class entries below the user's own classes key.
HRESULT OpenRegistrationRoot(bool perUser, UniqueRegistryKey& root) {
  HKEY parent = perUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
  const wchar_t* subkey = perUser ? L"Software\\Classes" : L"";
  LSTATUS status = ::RegCreateKeyExW(parent, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, root.receive(), nullptr);
  return HRESULT_FROM_WIN32(status);
}

HRESULT RunScript(HINSTANCE module, int id, const ScriptVariables& variables, HKEY root,
                  bool registering) {
  std::optional<std::wstring> text = LoadRegistryScript(module, id);
  if (!text) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
  std::optional<std::vector<RegistryEntry>> entries = ParseRegistryScript(*text, variables);
  if (!entries) return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
  return registering ? ApplyRegistryEntries(root, *entries) : RemoveRegistryEntries(root, *entries);
}

HRESULT ModuleInformation(HINSTANCE module, std::wstring& path, ScriptVariables& variables) {
  path = ModulePath(module);
  if (path.empty()) return HRESULT_FROM_WIN32(::GetLastError());
  variables = {{L"APPID", kAppIdText}, {L"MODULE", path}};
  return S_OK;
}

}  // namespace

HRESULT RegisterModule(HINSTANCE module, bool perUser) {
  SystemThreadLocale locale;
  std::wstring path;
  ScriptVariables variables;
  if (HRESULT hr = ModuleInformation(module, path, variables); FAILED(hr)) return hr;
  UniqueRegistryKey root;
  if (HRESULT hr = OpenRegistrationRoot(perUser, root); FAILED(hr)) return hr;
  if (HRESULT hr = RunScript(module, kAppIdScript, variables, root.get(), true); FAILED(hr)) {
    return hr;
  }
  if (HRESULT hr = RunScript(module, kClassScript, variables, root.get(), true); FAILED(hr)) {
    return hr;
  }
  return RegisterTypeLibrary(path, perUser);
}

// Every step runs even when one before it failed, so that as little as possible
// stays behind; the first failure is the result.
HRESULT UnregisterModule(HINSTANCE module, bool perUser) {
  SystemThreadLocale locale;
  std::wstring path;
  ScriptVariables variables;
  if (HRESULT hr = ModuleInformation(module, path, variables); FAILED(hr)) return hr;
  UniqueRegistryKey root;
  if (HRESULT hr = OpenRegistrationRoot(perUser, root); FAILED(hr)) return hr;
  const HRESULT results[] = {
      RunScript(module, kClassScript, variables, root.get(), false),
      UnregisterTypeLibrary(path, perUser),
      RunScript(module, kAppIdScript, variables, root.get(), false),
  };
  for (HRESULT hr : results) {
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}
