#ifndef QUENDRA_INSTALLER_MAILCOMPONENT_H
#define QUENDRA_INSTALLER_MAILCOMPONENT_H

// The MAPI library of a mail client installed by Windows Installer.

#include <windows.h>

#include <string>
#include <vector>

#include "SystemLibrary.h"

// A registry key path under HKEY_CURRENT_USER followed by the names of the
// REG_DWORD values in it that hold language ids, in order of preference.
using LanguageList = std::vector<std::wstring>;

// Asks Windows Installer for the client's library, for the languages of `list`
// or, without one, for the user's, the system's and US English. Returns true
// when Windows Installer gave an answer; `path` is then its path, possibly empty.
bool ProvideMailComponent(const std::wstring& componentId, const LanguageList* list,
                          bool installAllowed, std::wstring& path);

// One language's request to the loaded `msi`, first qualified with "NT", then by
// the language id alone. Returns true when Windows Installer gave an answer.
bool ProvideComponentForLcid(HMODULE msi, const std::wstring& componentId, DWORD languageId,
                             bool installAllowed, std::wstring& path);

#endif
