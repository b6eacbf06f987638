#include "MailClientRegistry.h"

#include <optional>
#include <vector>

#include "MailComponent.h"
#include "RegistryKey.h"

namespace pennaroo {
namespace {

const wchar_t kMailKeyPath[] = L"Software\\Clients\\Mail";
const wchar_t kMapiAppsPath[] = L"SOFTWARE\\Microsoft\\Windows Messaging Subsystem\\MSMapiApps";
constexpr size_t kNameChars = MAX_PATH;
constexpr size_t kValueNameChars = 256;
constexpr size_t kComponentIdChars = 78 / sizeof(wchar_t);
constexpr size_t kDllPathChars = 518 / sizeof(wchar_t);
// Two full key paths and a handful of value names.
constexpr size_t kLanguageListChars = 1024;

bool ReadClientName(const RegistryKey& mailKey, std::wstring& name) {
  if (FindMapiAppClient(&name)) return !name.empty();
  const std::optional<RegistryValue> value = mailKey.ReadBounded(nullptr, kNameChars);
  if (!value) return false;
  name = ValueText(*value);
  return true;
}

RegistryKey OpenClientKey(HKEY root, const RegistryKey& mailKey, const std::wstring& name) {
  RegistryKey clientKey = RegistryKey::Open(mailKey.Get(), name);
  if (!clientKey.IsOpen() && root == HKEY_CURRENT_USER) {
    clientKey = RegistryKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kMailKeyPath) + L"\\" + name);
  }
  return clientKey;
}

// Returns false when the value is missing or cannot be read; a value of another
// type than REG_MULTI_SZ leaves `list` without a value and still returns true.
bool ReadLanguageList(const RegistryKey& key, const wchar_t* name,
                      std::optional<LanguageList>& list) {
  DWORD type = REG_NONE;
  if (!key.QueryType(name, type)) return false;
  if (type != REG_MULTI_SZ) return true;
  const std::optional<RegistryValue> value = key.ReadBounded(name, kLanguageListChars);
  if (!value) return false;
  list = ValueStrings(*value);
  return true;
}

bool ReadComponentId(const RegistryKey& key, std::wstring& componentId) {
  const std::optional<RegistryValue> value = key.ReadBounded(L"MSIComponentID", kComponentIdChars);
  if (!value || value->type != REG_SZ) return false;
  componentId = ValueText(*value);
  return true;
}

bool IsTerminalServer() {
  OSVERSIONINFOEXW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  version.wSuiteMask = VER_SUITE_TERMINAL;
  const DWORDLONG condition = ::VerSetConditionMask(0, VER_SUITENAME, VER_AND);
  return ::VerifyVersionInfoW(&version, VER_SUITENAME, condition) != FALSE;
}

// Returns true when Windows Installer answered; `path` is then its answer.
bool ProvideFromInstaller(const RegistryKey& clientKey, std::wstring& path) {
  const DWORD installOnTerminalServer = clientKey.ReadDword(L"MSIInstallOnWTS").value_or(1);
  std::optional<LanguageList> applicationList;
  std::optional<LanguageList> officeList;
  std::wstring componentId;
  if (!ReadLanguageList(clientKey, L"MSIApplicationLCID", applicationList) ||
      !ReadLanguageList(clientKey, L"MSIOfficeLCID", officeList) ||
      !ReadComponentId(clientKey, componentId)) {
    return false;
  }
  const bool installAllowed = installOnTerminalServer != 0 || !IsTerminalServer();
  for (const std::optional<LanguageList>* list : {&applicationList, &officeList}) {
    if (*list && ProvideMailComponent(componentId, &**list, installAllowed, path)) return true;
  }
  return ProvideMailComponent(componentId, nullptr, installAllowed, path);
}

std::wstring ExpandPath(const std::wstring& path) {
  wchar_t expanded[MAX_PATH] = {};
  const DWORD chars = ::ExpandEnvironmentStringsW(path.c_str(), expanded, MAX_PATH);
  if (chars == 0 || chars > MAX_PATH) return std::wstring();
  return expanded;
}

std::wstring ReadDllPath(const RegistryKey& clientKey) {
  const std::optional<RegistryValue> value = clientKey.ReadBounded(L"DLLPath", kDllPathChars);
  if (!value) return std::wstring();
  const std::wstring path = ValueText(*value);
  return value->type == REG_EXPAND_SZ ? ExpandPath(path) : path;
}

}  // namespace

MailClient FindMailClientDll(HKEY root) {
  MailClient client;
  const RegistryKey mailKey = RegistryKey::Open(root, kMailKeyPath);
  if (!mailKey.IsOpen()) return client;
  std::wstring name;
  if (!ReadClientName(mailKey, name)) return client;
  const RegistryKey clientKey = OpenClientKey(root, mailKey, name);
  if (!clientKey.IsOpen()) return client;
  const std::optional<DWORD> supportUtf8 = clientKey.ReadDword(L"SupportUTF8");
  client.supportsUtf8 = supportUtf8 && *supportUtf8 != 0;
  if (!ProvideFromInstaller(clientKey, client.dllPath)) client.dllPath = ReadDllPath(clientKey);
  return client;
}

bool FindMapiAppClient(std::wstring* clientName) {
  const RegistryKey apps = RegistryKey::Open(HKEY_LOCAL_MACHINE, kMapiAppsPath);
  if (!apps.IsOpen()) return false;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kValueNameChars] = {};
    DWORD nameChars = kValueNameChars;
    wchar_t data[kNameChars] = {};
    DWORD dataBytes = (kNameChars - 1) * sizeof(wchar_t);
    const LONG status = ::RegEnumValueW(
        apps.Get(), index, name, &nameChars, nullptr, nullptr,
        clientName != nullptr ? reinterpret_cast<BYTE*>(data) : nullptr,
        clientName != nullptr ? &dataBytes : nullptr);
    // A name or client name too long to read in full cannot be relied on.
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return false;
    if (::GetModuleHandleW(name) == nullptr) continue;
    if (clientName != nullptr) {
      data[dataBytes / sizeof(wchar_t)] = L'\0';
      *clientName = data;
    }
    return true;
  }
}

}  // namespace pennaroo
