// A launcher executable for timing runs: like quendra3.exe it prepares the process
// in the same way (the same system libraries in, the same locale), loads
// lumapack.dll from its folder and hands it the command line. It puts two figures
// into the environment, where the JVM stand-in reads them when it is asked to
// create the VM: the performance counter at the call of start_launcher, and how
// long loading the library took, from the load call to that call.
#include <windows.h>
#include <shellapi.h>

#include <clocale>
#include <string>

#include "platform/WindowsHandles.h"

namespace {

using StartLauncher = unsigned char (*)(int, wchar_t*[]);

long long Microseconds(long long ticks) {
  LARGE_INTEGER frequency = {};
  ::QueryPerformanceFrequency(&frequency);
  return ticks * 1000000 / frequency.QuadPart;
}

long long Now() {
  LARGE_INTEGER now = {};
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ::AllowSetForegroundWindow(ASFW_ANY);
  std::setlocale(LC_ALL, "en_US.utf8");
  int count = 0;
  UniqueArgumentVector arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  long long loadStart = Now();
  UniqueModule library(::LoadLibraryW(L"lumapack.dll"));
  if (!library) return 2;
  auto start =
      reinterpret_cast<StartLauncher>(reinterpret_cast<void*>(::GetProcAddress(library.get(), "start_launcher")));
  if (start == nullptr) return 2;
  long long entry = Now();
  ::SetEnvironmentVariableW(L"QUENDRA_TIMING_LOAD_MICROSECONDS", std::to_wstring(Microseconds(entry - loadStart)).c_str());
  // Set last, so that the launcher's own work starts after both environment writes.
  ::SetEnvironmentVariableW(L"QUENDRA_TIMING_START", std::to_wstring(Now()).c_str());
  unsigned char result = start(count, arguments.get());
  return result == 1 ? 0 : 1;
}
