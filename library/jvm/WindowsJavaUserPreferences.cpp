#include "jvm/WindowsJavaUserPreferences.h"

#include <windows.h>

#include "platform/RegistryKey.h"

namespace {

const wchar_t kPreferencesRoot[] = L"SOFTWARE\\JavaSoft\\Prefs\\";
// A subkey separator, then the encoded node name JVMUserOptions.
const wchar_t kOptionsNode[] = L"\\/J/V/M/User/Options";

}  // namespace

WindowsJavaUserPreferences::~WindowsJavaUserPreferences() = default;

bool WindowsJavaUserPreferences::LoadOptions(const std::wstring& appId) {
  RegistryKey key(HKEY_CURRENT_USER);
  if (!key.Open(kPreferencesRoot + EncodePrefsName(appId) + kOptionsNode)) return false;
  OrderedTable options;
  for (const std::wstring& valueName : key.GetValueNames()) {
    std::wstring name = DecodePrefsName(valueName);
    if (!name.empty()) options.Append(name, DecodePrefsName(key.ReadString(valueName)));
  }
  userOptions.Clear();
  userOptions.AppendTable(options);
  return options.Count() > 0;
}
