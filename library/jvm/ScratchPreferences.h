#ifndef QUENDRA_JVM_SCRATCHPREFERENCES_H
#define QUENDRA_JVM_SCRATCHPREFERENCES_H

#include <windows.h>

#include <string>

#include "jvm/JavaUserPreferences.h"

// The Java user preferences of a test application, written into the current user's
// registry as the Java runtime writes them, and removed with the whole node
// afterwards.
class ScratchPreferences {
 public:
  explicit ScratchPreferences(std::wstring appId)
      : appId(std::move(appId)),
        nodePath(L"SOFTWARE\\JavaSoft\\Prefs\\" + EncodePrefsName(this->appId)),
        optionsPath(nodePath + L"\\/J/V/M/User/Options") {
    RemoveNode();
  }
  ScratchPreferences(const ScratchPreferences&) = delete;
  ScratchPreferences& operator=(const ScratchPreferences&) = delete;
  ~ScratchPreferences() { RemoveNode(); }

  // Stores the value under its name as given, with no encoding.
  bool SetRaw(const std::wstring& name, const std::wstring& text) const {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, optionsPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return false;
    }
    LONG result = RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
  }
  // Stores an option as the Java runtime does: name and text encoded.
  bool SetOption(const std::wstring& name, const std::wstring& value) const {
    return SetRaw(EncodePrefsName(name), EncodePrefsName(value));
  }

  const std::wstring appId;

 private:
  void RemoveNode() const { RegDeleteTreeW(HKEY_CURRENT_USER, nodePath.c_str()); }

  const std::wstring nodePath;
  const std::wstring optionsPath;
};

#endif
