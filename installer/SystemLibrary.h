#ifndef QUENDRA_INSTALLER_SYSTEMLIBRARY_H
#define QUENDRA_INSTALLER_SYSTEMLIBRARY_H

// Libraries loaded for the length of one call.

#include <windows.h>

#include <string>

#include "platform/WindowsHandles.h"

// A library of Windows itself, taken from the system folder only: the folder of
// the calling program (an installer's runtime, often unpacked into Downloads) is
// never searched, so a planted copy there cannot run with the installer's rights.
UniqueModule LoadSystemLibrary(const wchar_t* fileName);

// A library named by a registry path, found the way Windows finds it.
UniqueModule LoadLibraryByPath(const std::wstring& path);

// Null when `module` is null, as after a failed load, or does not export `name`.
template <typename Function>
Function LibraryFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

#endif
