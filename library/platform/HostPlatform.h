#ifndef QUENDRA_PLATFORM_HOSTPLATFORM_H
#define QUENDRA_PLATFORM_HOSTPLATFORM_H

#include "platform/GenericPlatform.h"

// The platform of the native test build: just enough of the Windows operations,
// with POSIX calls, for the portable code and the JNI layer to run on the build
// machine. It is never shipped.
class HostPlatform : public GenericPlatform {
 public:
  void ShowError(const std::wstring& text) override;
  void ShowErrorTitled(const std::wstring& title, const std::wstring& text) override;
  DialogAnswer AskOkCancel(const std::wstring& title, const std::wstring& text) override;
  void ChangeWorkingDirectory(const std::wstring& path) override;
  void* ReservedSlot5(void* first, void* second) override;
  void* ReservedSlot6(void* first, void* second) override;
  std::wstring GetRoamingDataDirectory() override;
  std::wstring FindRuntimeJvmLibrary(const std::wstring& runtimeDirectory) override;
  std::wstring FindSystemJvmLibrary() override;
  std::wstring FindSystemJavaHome() override;
  std::unique_ptr<ISectionalPropertyContainer> OpenConfigFile(const std::wstring& path) override;
  std::wstring GetExecutablePath() override;
  std::wstring GetInstallDirectory() override;
  ModuleHandle OpenLibrary(const std::wstring& path) override;
  bool CloseLibrary(ModuleHandle module) override;
  void* FindLibrarySymbol(ModuleHandle module, const std::string& name) override;
  std::vector<std::wstring> ListLibraryImports(const std::wstring& path) override;
  std::vector<std::wstring> SelectRuntimeDependencies(const std::vector<std::wstring>& names) override;
  std::unique_ptr<Process> NewProcess() override;
  bool OnMainThread() override;
  uint64_t GetAddressSpaceMegabytes() override;
};

#endif
