#ifndef QUENDRA_SHELL_TYPELIBRARYREGISTRATION_H
#define QUENDRA_SHELL_TYPELIBRARYREGISTRATION_H

#include <windows.h>

#include <string>

// Registers type library 1 of the module file at `modulePath`; per user through the
// automation library's per-user function where it has one.
HRESULT RegisterTypeLibrary(const std::wstring& modulePath, bool perUser);

// Unregisters that library by its own id, version, language and system kind.
HRESULT UnregisterTypeLibrary(const std::wstring& modulePath, bool perUser);

#endif
