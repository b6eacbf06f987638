#ifndef QUENDRA_SHELL_APPLICATIONSTART_H
#define QUENDRA_SHELL_APPLICATIONSTART_H

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "MenuItems.h"

// The Windows calls through which the application is started; tests put their own in.
struct ApplicationStartServices {
  void (*showError)(HWND owner, const wchar_t* text, const wchar_t* caption);
  void (*execute)(SHELLEXECUTEINFOW& info);
};

const ApplicationStartServices& WindowsApplicationStartServices();

// Reads the installation folder from the value "Installed" of an open key. A value
// that does not fit into 260 characters together with its terminator counts as
// missing, so the folder is always a complete, terminated string.
std::optional<std::wstring> ReadInstalledValue(HKEY key);

// The installation folder from SOFTWARE\quendra3 under HKEY_LOCAL_MACHINE, or under
// HKEY_CURRENT_USER when the machine has no such key.
std::optional<std::wstring> FindInstallationFolder();

// The flag followed by every path in double quotes, each after a blank, so that the
// program's command-line splitting gives back each path exactly: backslashes before
// a closing quote are doubled.
std::wstring BuildParameterText(const wchar_t* flag, const std::vector<std::wstring>& paths);

// Starts the installed quendra3.exe with the flag and the paths, without waiting for
// it. A missing installation record is shown to the user, owned by `owner`, and gives
// E_INVALIDARG. Paths that do not fit into one command line start nothing: the user is
// told in `language`, owned by `owner`, and the result is
// HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE). A start that fails later is not
// reported.
HRESULT StartApplication(const wchar_t* flag, HWND owner, const std::vector<std::wstring>& paths,
                         MenuLanguage language, const ApplicationStartServices& services);

#endif
