// Libraries loaded for the length of one call.
#ifndef PENNAROO_SYSTEM_LIBRARY_H
#define PENNAROO_SYSTEM_LIBRARY_H

#include <windows.h>

#include <string>

namespace pennaroo {

// Owns one reference of a loaded module; unloads it when it goes.
class LoadedLibrary {
 public:
  LoadedLibrary() = default;
  explicit LoadedLibrary(HMODULE module) : module(module) {}
  ~LoadedLibrary() {
    if (module != nullptr) ::FreeLibrary(module);
  }
  LoadedLibrary(LoadedLibrary&& other) noexcept : module(other.module) { other.module = nullptr; }
  LoadedLibrary& operator=(LoadedLibrary&&) = delete;
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  explicit operator bool() const { return module != nullptr; }

  // Null when the module is not loaded or does not export `name`.
  template <typename Function>
  Function GetFunction(const char* name) const {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  }

 private:
  HMODULE module = nullptr;
};

// A library of Windows itself, taken from the system folder only: the folder of
// the calling program (an installer's runtime, often unpacked into Downloads) is
// never searched, so a planted copy there cannot run with the installer's rights.
LoadedLibrary LoadSystemLibrary(const wchar_t* fileName);

// A library named by a registry path, found the way Windows finds it.
LoadedLibrary LoadLibraryByPath(const std::wstring& path);

}  // namespace pennaroo

#endif
