#include "SystemLibrary.h"

namespace pennaroo {

LoadedLibrary LoadSystemLibrary(const wchar_t* fileName) {
  return LoadedLibrary(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

LoadedLibrary LoadLibraryByPath(const std::wstring& path) {
  return LoadedLibrary(::LoadLibraryW(path.c_str()));
}

}  // namespace pennaroo
