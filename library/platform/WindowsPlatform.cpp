#include "platform/WindowsPlatform.h"

#include <windows.h>

#include "config/ISectionalPropertyContainer.h"
#include "platform/FilePath.h"
#include "platform/Process.h"

// Placeholder bodies until the Windows platform services land; each returns what a
// failure of the operation returns.

Platform& Platform::GetInstance() {
  static WindowsPlatform instance;
  return instance;
}

WindowsPlatform::WindowsPlatform() : mainThreadId(GetCurrentThreadId()) {}
WindowsPlatform::~WindowsPlatform() = default;

void WindowsPlatform::ShowError(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), ExtractFileName(GetExecutablePath()).c_str(), MB_ICONERROR);
}
void WindowsPlatform::ShowErrorTitled(const std::wstring& title, const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), title.empty() ? text.c_str() : title.c_str(), MB_ICONERROR);
}
DialogAnswer WindowsPlatform::AskOkCancel(const std::wstring&, const std::wstring&) { return DialogAnswer::Cancel; }
void WindowsPlatform::ChangeWorkingDirectory(const std::wstring&) {}
void* WindowsPlatform::ReservedSlot5(void*, void*) { return nullptr; }
void* WindowsPlatform::ReservedSlot6(void*, void*) { return nullptr; }
std::wstring WindowsPlatform::GetRoamingDataDirectory() { return {}; }
std::wstring WindowsPlatform::FindRuntimeJvmLibrary(const std::wstring&) { return {}; }
std::wstring WindowsPlatform::FindSystemJvmLibrary() { return {}; }
std::wstring WindowsPlatform::FindSystemJavaHome() { return {}; }
std::unique_ptr<ISectionalPropertyContainer> WindowsPlatform::OpenConfigFile(const std::wstring&) { return nullptr; }
std::wstring WindowsPlatform::GetExecutablePath() {
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return buffer;
}
std::wstring WindowsPlatform::GetInstallDirectory() { return ExtractDirectory(GetExecutablePath()); }
ModuleHandle WindowsPlatform::OpenLibrary(const std::wstring&) { return nullptr; }
bool WindowsPlatform::CloseLibrary(ModuleHandle) { return false; }
void* WindowsPlatform::FindLibrarySymbol(ModuleHandle, const std::string&) { return nullptr; }
std::vector<std::wstring> WindowsPlatform::ListLibraryImports(const std::wstring&) { return {}; }
std::vector<std::wstring> WindowsPlatform::SelectRuntimeDependencies(const std::vector<std::wstring>&) { return {}; }
std::unique_ptr<Process> WindowsPlatform::NewProcess() { return nullptr; }
bool WindowsPlatform::OnMainThread() { return GetCurrentThreadId() == mainThreadId; }
uint64_t WindowsPlatform::GetAddressSpaceMegabytes() { return 0; }
