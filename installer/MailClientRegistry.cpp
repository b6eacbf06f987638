#include "MailClientRegistry.h"

#include <optional>
#include <vector>

#include "MailComponent.h"
#include "RegistryValue.h"

namespace {

const wchar_t kMailKeyPath[] = L"Software\\Clients\\Mail";
const wchar_t kMapiAppsPath[] = L"SOFTWARE\\Microsoft\\Windows Messaging Subsystem\\MSMapiApps";
constexpr size_t kNameChars = MAX_PATH;
constexpr size_t kValueNameChars = 256;
constexpr size_t kComponentIdChars = 78 / sizeof(wchar_t);
constexpr size_t kDllPathChars = 518 / sizeof(wchar_t);
// Two full key paths and a handful of value names.
constexpr size_t kLanguageListChars = 1024;

bool ReadClientName(HKEY mailKey, std::wstring& name) {
  if (FindMapiAppClient(&name)) return !name.empty();
  const std::optional<RegistryValue> value = ReadBounded(mailKey, nullptr, kNameChars);
  if (!value) return false;
  name = ValueText(*value);
  return true;
}

UniqueRegistryKey OpenClientKey(HKEY root, HKEY mailKey, const std::wstring& name) {
  UniqueRegistryKey clientKey = OpenKeyForReading(mailKey, name);
  if (!clientKey && root == HKEY_CURRENT_USER) {
    clientKey = OpenKeyForReading(HKEY_LOCAL_MACHINE, std::wstring(kMailKeyPath) + L"\\" + name);
  }
  return clientKey;
}

// Returns false when the value is missing or cannot be read; a value of another
// type than REG_MULTI_SZ leaves `list` without a value and still returns true.
bool ReadLanguageList(HKEY key, const wchar_t* name, std::optional<LanguageList>& list) {
  DWORD type = REG_NONE;
  if (!QueryValueType(key, name, type)) return false;
  if (type != REG_MULTI_SZ) return true;
  const std::optional<RegistryValue> value = ReadBounded(key, name, kLanguageListChars);
  if (!value) return false;
  list = ValueStrings(*value);
  return true;
}

bool ReadComponentId(HKEY key, std::wstring& componentId) {
  const std::optional<RegistryValue> value = ReadBounded(key, L"MSIComponentID", kComponentIdChars);
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
bool ProvideFromInstaller(HKEY clientKey, std::wstring& path) {
  const DWORD installOnTerminalServer = ReadDword(clientKey, L"MSIInstallOnWTS").value_or(1);
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

std::wstring ReadDllPath(HKEY clientKey) {
  const std::optional<RegistryValue> value = ReadBounded(clientKey, L"DLLPath", kDllPathChars);
  if (!value) return std::wstring();
  const std::wstring path = ValueText(*value);
  return value->type == REG_EXPAND_SZ ? ExpandPath(path) : path;
}

}  // namespace

MailClient FindMailClientDll(HKEY root) {
  MailClient client;
  const UniqueRegistryKey mailKey = OpenKeyForReading(root, kMailKeyPath);
  if (!mailKey) return client;
  std::wstring name;
  if (!ReadClientName(mailKey.get(), name)) return client;
  const UniqueRegistryKey clientKey = OpenClientKey(root, mailKey.get(), name);
  if (!clientKey) return client;
  const std::optional<DWORD> supportUtf8 = ReadDword(clientKey.get(), L"SupportUTF8");
  client.supportsUtf8 = supportUtf8 && *supportUtf8 != 0;
  if (!ProvideFromInstaller(clientKey.get(), client.dllPath)) {
    client.dllPath = ReadDllPath(clientKey.get());
  }
  return client;
}

bool FindMapiAppClient(std::wstring* clientName) {
  const UniqueRegistryKey apps = OpenKeyForReading(HKEY_LOCAL_MACHINE, kMapiAppsPath);
  if (!apps) return false;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kValueNameChars] = {};
    DWORD nameChars = kValueNameChars;
    wchar_t data[kNameChars] = {};
    DWORD dataBytes = (kNameChars - 1) * sizeof(wchar_t);
    const LONG status = ::RegEnumValueW(
        apps.get(), index, name, &nameChars, nullptr, nullptr,
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
