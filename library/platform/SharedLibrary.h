#ifndef QUENDRA_PLATFORM_SHAREDLIBRARY_H
#define QUENDRA_PLATFORM_SHAREDLIBRARY_H

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

// One library loaded at run time by full path, together with the libraries loaded
// before it so that it finds them already in the process (the C runtime of a JVM
// library). Every load and release goes through the platform. Destruction unloads.
class SharedLibrary {
 public:
  explicit SharedLibrary(Platform& platform = Platform::GetInstance());
  virtual ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Full paths to load, in order, before the library itself; an empty list adds
  // nothing.
  void AddDependencies(const std::vector<std::wstring>& paths);
  // True when the library is loaded, now or already. The pending dependencies are
  // loaded first and then forgotten; one that fails shows its own box and is left
  // out, and does not stop this load. A library that cannot be loaded shows the
  // "library.not.found" text as the caption and its path as the text.
  bool Load(const std::wstring& path);
  // Releases the library, then the dependencies in load order. False when the
  // library was not loaded.
  bool Unload();
  // The exported symbol's address, or null.
  void* GetSymbol(const std::string& name);

 private:
  void LoadDependencies();

  Platform& platform;
  std::unique_ptr<std::vector<std::wstring>> dependencyNames;
  std::unique_ptr<std::vector<std::unique_ptr<SharedLibrary>>> dependencies;
  ModuleHandle handle = nullptr;
};

#endif
