#include "platform/WindowsPlatform.h"

#include <windows.h>

#include <direct.h>
#include <shlobj.h>

#include "config/IniFile.h"
#include "config/LegacyConfig.h"
#include "launch/AppPackage.h"
#include "launch/MacroExpander.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/ModuleFileName.h"
#include "platform/PeImports.h"
#include "platform/RegistryKey.h"
#include "platform/RuntimeDependencies.h"
#include "platform/WindowsProcess.h"

namespace {

const wchar_t kJavaRuntimeKey[] = L"SOFTWARE\\JavaSoft\\Java Runtime Environment";

// Client before server, and a JDK image (with its jre folder) before a bare runtime.
// The last candidate is the answer when none of the others exists.
const wchar_t* const kJvmLibraryCandidates[] = {
    L"jre\\bin\\client\\jvm.dll",
    L"jre\\bin\\server\\jvm.dll",
    L"bin\\client\\jvm.dll",
    L"bin\\server\\jvm.dll",
};

// A path is at most 32767 characters, so the doubling stops before this.
const size_t kLargestPathBuffer = 65536;

std::wstring PackageRuntimeDirectory() {
  AppPackage& package = AppPackage::GetInstance();
  if (!package.settings) return {};
  return MacroExpander::GetInstance().ExpandMacros(package.settings->jvmRuntimeDirectory);
}

// A drive or UNC path; the altered search order is defined for those alone.
bool IsFullPath(const std::wstring& path) {
  bool drive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  return drive || path.compare(0, 2, L"\\\\") == 0;
}

// While it lives, DLLs are searched in `folder` right after the folder of the
// library being loaded. Afterwards the search is left as the executable set it,
// without the current directory: restoring the default would bring that back.
class DllSearchFolder {
 public:
  explicit DllSearchFolder(const std::wstring& folder) { SetDllDirectoryW(folder.c_str()); }
  ~DllSearchFolder() { SetDllDirectoryW(L""); }
  DllSearchFolder(const DllSearchFolder&) = delete;
  DllSearchFolder& operator=(const DllSearchFolder&) = delete;
};

}  // namespace

Platform& Platform::GetInstance() {
  static WindowsPlatform instance;
  return instance;
}

WindowsPlatform::WindowsPlatform()
    : mainThreadId(GetCurrentThreadId()), runtimeDirectoryProvider(PackageRuntimeDirectory) {}

WindowsPlatform::~WindowsPlatform() = default;

int WindowsPlatform::ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style) {
  return MessageBoxW(nullptr, text.c_str(), caption.c_str(), style);
}

void WindowsPlatform::ShowError(const std::wstring& text) {
  ShowMessageBox(text, ExtractFileName(GetExecutablePath()), MB_ICONERROR);
}

void WindowsPlatform::ShowErrorTitled(const std::wstring& title, const std::wstring& text) {
  ShowMessageBox(text, title.empty() ? text : title, MB_ICONERROR);
}

DialogAnswer WindowsPlatform::AskOkCancel(const std::wstring& title, const std::wstring& text) {
  return ShowMessageBox(text, title, MB_OKCANCEL) == IDOK ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

void WindowsPlatform::ChangeWorkingDirectory(const std::wstring& path) { _wchdir(path.c_str()); }

void* WindowsPlatform::ReservedSlot5(void*, void*) { return nullptr; }

void* WindowsPlatform::ReservedSlot6(void*, void*) { return nullptr; }

std::wstring WindowsPlatform::GetRoamingDataDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

std::wstring WindowsPlatform::FindRuntimeJvmLibrary(const std::wstring& runtimeDirectory) {
  std::wstring base = IncludeTrailingBackslash(runtimeDirectory);
  const size_t last = sizeof(kJvmLibraryCandidates) / sizeof(kJvmLibraryCandidates[0]) - 1;
  for (size_t index = 0; index < last; ++index) {
    std::wstring candidate = base + kJvmLibraryCandidates[index];
    if (FileExists(candidate)) return candidate;
  }
  return base + kJvmLibraryCandidates[last];
}

std::wstring WindowsPlatform::FindSystemJvmLibrary() {
  std::wstring home = FindSystemJavaHome();
  if (home.empty()) return {};
  return FindRuntimeJvmLibrary(home);
}

std::wstring WindowsPlatform::FindSystemJavaHome() {
  // The registered runtime serves only launches without class-data sharing.
  if (GetAppCDSMode() != AppCDSMode::Off) return {};
  RegistryKey key(HKEY_LOCAL_MACHINE);
  if (!key.Open(kJavaRuntimeKey)) return {};
  std::wstring version = key.ReadString(L"CurrentVersion");
  if (version.empty() || !key.Open(std::wstring(kJavaRuntimeKey) + L"\\" + version)) return {};
  std::wstring home = key.ReadString(L"JavaHome");
  return DirectoryExists(home) ? home : std::wstring();
}

std::unique_ptr<ISectionalPropertyContainer> WindowsPlatform::OpenConfigFile(const std::wstring& path) {
  auto config = std::make_unique<IniFile>();
  if (!config->LoadFromFile(path)) ConvertLegacyConfig(path, *config);
  return config;
}

std::wstring ReadModuleFileName(void* module) {
  std::vector<wchar_t> buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD capacity = static_cast<DWORD>(buffer.size());
    DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module), buffer.data(), capacity);
    // A result that fills the whole buffer was cut short; one that does not is
    // complete, whatever error an earlier call left behind.
    if (length < capacity || buffer.size() >= kLargestPathBuffer) break;
    buffer.assign(buffer.size() * 2, L'\0');
  }
  return std::wstring(buffer.data());
}

std::wstring WindowsPlatform::GetExecutablePath() { return ReadModuleFileName(nullptr); }

std::wstring WindowsPlatform::GetInstallDirectory() { return ExtractDirectory(GetExecutablePath()); }

// A library loaded by full path finds its own dependencies beside itself first and
// then in the folder above: a Java runtime's jvm.dll lies in bin\server (or
// jre\bin\client, and so on), and the runtime ships the DLLs it imports, such as
// its C runtime, in bin (jre\bin). The system folders come after them, and neither
// the executable's folder nor the current directory is searched.
ModuleHandle WindowsPlatform::OpenLibrary(const std::wstring& path) {
  if (!IsFullPath(path)) return LoadLibraryW(path.c_str());
  DllSearchFolder runtime(ExtractDirectory(ExtractDirectory(path)));
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool WindowsPlatform::CloseLibrary(ModuleHandle module) {
  return FreeLibrary(static_cast<HMODULE>(module)) != FALSE;
}

void* WindowsPlatform::FindLibrarySymbol(ModuleHandle module, const std::string& name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name.c_str()));
}

std::vector<std::wstring> WindowsPlatform::ListLibraryImports(const std::wstring& path) {
  return ListImportedLibraryNames(path);
}

std::vector<std::wstring> WindowsPlatform::SelectRuntimeDependencies(const std::vector<std::wstring>& names) {
  std::wstring runtime = runtimeDirectoryProvider ? runtimeDirectoryProvider() : std::wstring();
  return SelectRuntimeDependenciesIn(runtime, names);
}

void WindowsPlatform::SetRuntimeDirectoryProvider(std::function<std::wstring()> provider) {
  runtimeDirectoryProvider = std::move(provider);
}

std::unique_ptr<Process> WindowsPlatform::NewProcess() { return std::make_unique<WindowsProcess>(); }

bool WindowsPlatform::OnMainThread() { return GetCurrentThreadId() == mainThreadId; }

uint64_t WindowsPlatform::GetAddressSpaceMegabytes() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(info.lpMaximumApplicationAddress)) >> 20;
}
