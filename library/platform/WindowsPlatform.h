#ifndef QUENDRA_PLATFORM_WINDOWSPLATFORM_H
#define QUENDRA_PLATFORM_WINDOWSPLATFORM_H

#include "platform/GenericPlatform.h"

#include <cstdint>
#include <functional>

// The Windows implementation of every operation that needs the Windows API.
class WindowsPlatform : public GenericPlatform {
 public:
  WindowsPlatform();
  ~WindowsPlatform() override;

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

  // Where SelectRuntimeDependencies looks for the C runtime: a function giving the
  // Java runtime folder with macros expanded. By default it is the package's
  // configured runtime folder (empty while the package has no settings); tests
  // give a folder of their own.
  void SetRuntimeDirectoryProvider(std::function<std::wstring()> provider);

 protected:
  // Every box of this platform goes through here, with no owner window; returns
  // the button that closed it. Tests override it to see text, caption and style.
  virtual int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned style);

 private:
  uint32_t mainThreadId;
  std::function<std::wstring()> runtimeDirectoryProvider;
};

#endif
