#include <windows.h>
#include <shellapi.h>

#include <clocale>
#include <string>
#include <vector>

#include "ErrorBoxCaption.h"
#include "platform/WindowsHandles.h"

namespace {

constexpr wchar_t kLibraryFileName[] = L"lumapack.dll";
constexpr DWORD kModulePathBufferLength = kCaptionPathLimit + 1;
// A path is at most 32767 characters, so the doubling stops before this.
constexpr size_t kLargestPathBuffer = 65536;

// The entry answers with one byte; only the value 1 is success, so it is not read
// as a C++ bool, which could not hold any other value.
using StartLauncherEntry = unsigned char (*)(int, wchar_t**);
using StopLauncherEntry = void (*)();

struct CommandLine {
  int count = 0;
  UniqueArgumentVector vector;
};

// When the split fails the count is undefined and the vector null; the library is
// then still called, with no arguments at all.
CommandLine SplitCommandLine() {
  CommandLine line;
  int count = 0;
  line.vector.reset(CommandLineToArgvW(GetCommandLineW(), &count));
  if (line.vector) line.count = count;
  return line;
}

template <typename Entry>
Entry FindEntry(HMODULE library, const char* name) {
  FARPROC address = GetProcAddress(library, name);
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
}

// The exit code that the library's answer gives.
int RunLauncher(HMODULE library, CommandLine& line) {
  auto start = FindEntry<StartLauncherEntry>(library, "start_launcher");
  auto stop = FindEntry<StopLauncherEntry>(library, "stop_launcher");
  if (start == nullptr) return 1;
  if (start(line.count, line.vector.get()) != 1) return 1;
  if (stop != nullptr) stop();
  return 0;
}

// The executable's full path, however long the install folder is.
std::wstring ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD capacity = static_cast<DWORD>(buffer.size());
    DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
    // A result that fills the whole buffer was cut short.
    if (length < capacity || buffer.size() >= kLargestPathBuffer) return std::wstring(buffer.data(), length);
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

// Only the copy beside the executable is ever loaded: a search by bare name would
// go on to other folders when that copy is missing or damaged, and run whatever
// lumapack.dll it finds there with the user's rights.
HMODULE LoadLauncherLibrary() {
  std::wstring path = ExecutablePath();
  std::size_t backslash = path.rfind(L'\\');
  if (backslash == std::wstring::npos) return nullptr;
  std::wstring library = path.substr(0, backslash + 1) + kLibraryFileName;
  return LoadLibraryW(library.c_str());
}

void ShowLibraryNotFound() {
  wchar_t modulePath[kModulePathBufferLength] = {};
  GetModuleFileNameW(nullptr, modulePath, kCaptionPathLimit);
  modulePath[kCaptionPathLimit] = L'\0';
  std::wstring caption = ErrorBoxCaption(modulePath);
  std::wstring text = std::wstring(kLibraryFileName) + L" not found.";
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before any load: the current directory is no place to look for libraries, for
  // this program, the launcher library or anything they load later.
  SetDllDirectoryW(L"");
  AllowSetForegroundWindow(ASFW_ANY);
  std::setlocale(LC_ALL, "en_US.utf8");
  CommandLine line = SplitCommandLine();
  int exitCode = 1;
  {
    UniqueModule library(LoadLauncherLibrary());
    if (library) {
      exitCode = RunLauncher(library.get(), line);
    } else {
      ShowLibraryNotFound();
    }
  }
  // The library is unloaded here; the argument vector goes last, with `line`.
  return exitCode;
}
