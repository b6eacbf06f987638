#include <windows.h>

// The library does all its work inside start_launcher; loading and unloading it,
// and threads coming and going, need nothing.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
