#include "platform/HostPlatform.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "config/ISectionalPropertyContainer.h"
#include "platform/FilePath.h"
#include "platform/Process.h"
#include "platform/PlatformString.h"

// Operations that the host tests do not reach answer as their Windows counterparts
// answer a failure.

Platform& Platform::GetInstance() {
  static HostPlatform instance;
  return instance;
}

void HostPlatform::ShowError(const std::wstring&) {}
void HostPlatform::ShowErrorTitled(const std::wstring&, const std::wstring&) {}
DialogAnswer HostPlatform::AskOkCancel(const std::wstring&, const std::wstring&) { return DialogAnswer::Cancel; }
void HostPlatform::ChangeWorkingDirectory(const std::wstring&) {}
void* HostPlatform::ReservedSlot5(void*, void*) { return nullptr; }
void* HostPlatform::ReservedSlot6(void*, void*) { return nullptr; }
std::wstring HostPlatform::GetRoamingDataDirectory() { return {}; }
std::wstring HostPlatform::FindRuntimeJvmLibrary(const std::wstring&) { return {}; }
std::wstring HostPlatform::FindSystemJvmLibrary() { return {}; }
std::wstring HostPlatform::FindSystemJavaHome() { return {}; }
std::unique_ptr<ISectionalPropertyContainer> HostPlatform::OpenConfigFile(const std::wstring&) { return nullptr; }

std::wstring HostPlatform::GetExecutablePath() {
  char buffer[PATH_MAX] = {};
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (length <= 0) return {};
  std::wstring path = PlatformString::MultibyteStringToWideString(std::string(buffer, length));
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::wstring HostPlatform::GetInstallDirectory() { return ExtractDirectory(GetExecutablePath()); }
ModuleHandle HostPlatform::OpenLibrary(const std::wstring&) { return nullptr; }
bool HostPlatform::CloseLibrary(ModuleHandle) { return false; }
void* HostPlatform::FindLibrarySymbol(ModuleHandle, const std::string&) { return nullptr; }
std::vector<std::wstring> HostPlatform::ListLibraryImports(const std::wstring&) { return {}; }
std::vector<std::wstring> HostPlatform::SelectRuntimeDependencies(const std::vector<std::wstring>&) { return {}; }
std::unique_ptr<Process> HostPlatform::NewProcess() { return nullptr; }
bool HostPlatform::OnMainThread() { return true; }
uint64_t HostPlatform::GetAddressSpaceMegabytes() { return 0; }
