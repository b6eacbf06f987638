#include <windows.h>

#include "platform/PeImports.h"
#include "platform/WindowsHandles.h"

std::vector<std::wstring> ListImportedLibraryNames(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  // The view ends where the file ends, rounded up to a page: the parser gets the
  // file's own size so that it never reads into the rounding or beyond.
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      static_cast<unsigned long long>(size.QuadPart) > static_cast<SIZE_T>(-1)) {
    return {};
  }
  UniqueKernelHandle mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return {};
  UniqueMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return {};
  return ReadImportedLibraryNames(static_cast<const uint8_t*>(view.get()), static_cast<size_t>(size.QuadPart));
}
