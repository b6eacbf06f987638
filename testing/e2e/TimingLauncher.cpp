// A launcher executable for timing runs: like quendra3.exe it loads lumapack.dll
// from its folder and hands it the command line, but first it puts the performance
// counter into the environment, where the JVM stand-in reads it when it is asked to
// create the VM.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/WindowsHandles.h"

namespace {

using StartLauncher = bool (*)(int, wchar_t*[]);

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  UniqueModule library(::LoadLibraryW(L"lumapack.dll"));
  if (!library) return 2;
  auto start =
      reinterpret_cast<StartLauncher>(reinterpret_cast<void*>(::GetProcAddress(library.get(), "start_launcher")));
  if (start == nullptr) return 2;
  int count = 0;
  UniqueArgumentVector arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  LARGE_INTEGER now = {};
  ::QueryPerformanceCounter(&now);
  ::SetEnvironmentVariableW(L"QUENDRA_TIMING_START", std::to_wstring(now.QuadPart).c_str());
  bool result = start(count, arguments.get());
  return result ? 0 : 1;
}
