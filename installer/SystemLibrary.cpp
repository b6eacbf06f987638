#include "SystemLibrary.h"

UniqueModule LoadSystemLibrary(const wchar_t* fileName) {
  return UniqueModule(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

UniqueModule LoadLibraryByPath(const std::wstring& path) {
  return UniqueModule(::LoadLibraryW(path.c_str()));
}
