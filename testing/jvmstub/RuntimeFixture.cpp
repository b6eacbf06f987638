// A DLL that a Java runtime ships in its bin folder for its jvm.dll, built under a
// name Wine has a built-in of (vcruntime140.dll), so that a test can tell whether
// the launcher found the runtime's own copy. Each copy answers with its own path.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" __declspec(dllexport) const wchar_t* QuendraRuntimeFixturePath() {
  static wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(reinterpret_cast<HMODULE>(&__ImageBase), path, MAX_PATH * 4);
  return path;
}
