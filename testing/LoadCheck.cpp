#include <windows.h>

#include <cstdio>

// Loads a DLL and looks up the given exports: exit code 0 when the image loads and
// has every one of them. Used to prove that a signed image still loads.
int wmain(int argc, wchar_t* argv[]) {
  if (argc < 2) return 2;
  HMODULE module = LoadLibraryW(argv[1]);
  if (module == nullptr) {
    std::fprintf(stderr, "load-check: cannot load %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  int missing = 0;
  for (int i = 2; i < argc; ++i) {
    char name[256] = {};
    WideCharToMultiByte(CP_ACP, 0, argv[i], -1, name, sizeof(name) - 1, nullptr, nullptr);
    if (GetProcAddress(module, name) == nullptr) {
      std::fprintf(stderr, "load-check: %ls has no export %s\n", argv[1], name);
      ++missing;
    }
  }
  FreeLibrary(module);
  return missing == 0 ? 0 : 1;
}
