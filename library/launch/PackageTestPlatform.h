#ifndef QUENDRA_LAUNCH_PACKAGETESTPLATFORM_H
#define QUENDRA_LAUNCH_PACKAGETESTPLATFORM_H

#include <memory>
#include <string>

#include "config/IniFile.h"
#include "config/LegacyConfig.h"
#include "platform/FilePath.h"
#include "platform/GenericPlatform.h"
#include "platform/Process.h"

// A platform for the package's portable tests: the test places the executable and
// the roaming folder and chooses the address space and the registered runtime.
// Configuration files are read as the Windows platform reads them; every other
// system operation answers as a failure would.
class PackageTestPlatform : public GenericPlatform {
 public:
  std::wstring GetExecutablePath() override { return executablePath; }
  std::wstring GetInstallDirectory() override { return ExtractDirectory(executablePath); }
  std::wstring GetRoamingDataDirectory() override { return roamingDataDirectory; }
  uint64_t GetAddressSpaceMegabytes() override { return addressSpaceMegabytes; }

  std::unique_ptr<ISectionalPropertyContainer> OpenConfigFile(const std::wstring& path) override {
    auto config = std::make_unique<IniFile>();
    if (!config->LoadFromFile(path)) ConvertLegacyConfig(path, *config);
    return config;
  }

  // Like the registry lookup, the registered runtime answers only while class-data
  // sharing is off.
  std::wstring FindSystemJavaHome() override {
    return GetAppCDSMode() == AppCDSMode::Off ? systemJavaHome : std::wstring();
  }
  std::wstring FindRuntimeJvmLibrary(const std::wstring& runtimeDirectory) override {
    return IncludeTrailingBackslash(runtimeDirectory) + L"bin\\server\\jvm.dll";
  }
  std::wstring FindSystemJvmLibrary() override {
    std::wstring home = FindSystemJavaHome();
    return home.empty() ? home : FindRuntimeJvmLibrary(home);
  }

  void ShowError(const std::wstring&) override {}
  void ShowErrorTitled(const std::wstring&, const std::wstring&) override {}
  DialogAnswer AskOkCancel(const std::wstring&, const std::wstring&) override { return DialogAnswer::Cancel; }
  void ChangeWorkingDirectory(const std::wstring&) override {}
  void* ReservedSlot5(void*, void*) override { return nullptr; }
  void* ReservedSlot6(void*, void*) override { return nullptr; }
  ModuleHandle OpenLibrary(const std::wstring&) override { return nullptr; }
  bool CloseLibrary(ModuleHandle) override { return false; }
  void* FindLibrarySymbol(ModuleHandle, const std::string&) override { return nullptr; }
  std::vector<std::wstring> ListLibraryImports(const std::wstring&) override { return {}; }
  std::vector<std::wstring> SelectRuntimeDependencies(const std::vector<std::wstring>&) override { return {}; }
  std::unique_ptr<Process> NewProcess() override { return nullptr; }
  bool OnMainThread() override { return true; }

  std::wstring executablePath;
  std::wstring roamingDataDirectory;
  uint64_t addressSpaceMegabytes = 2047;
  std::wstring systemJavaHome;
};

#endif
