#include "launch/StartLauncher.h"

extern "C" bool start_launcher(int, wchar_t*[]) {
  return false;
}
