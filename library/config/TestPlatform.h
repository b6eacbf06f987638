#ifndef QUENDRA_CONFIG_TESTPLATFORM_H
#define QUENDRA_CONFIG_TESTPLATFORM_H

#include <memory>
#include <string>

#include "config/ISectionalPropertyContainer.h"
#include "platform/FilePath.h"
#include "platform/GenericPlatform.h"
#include "platform/Process.h"

// A platform for tests of the generic operations: the test chooses where the
// executable is; every other system operation answers as a failure would.
class TestPlatform : public GenericPlatform {
 public:
  explicit TestPlatform(std::wstring executable) : executablePath(std::move(executable)) {}

  std::wstring GetExecutablePath() override { return executablePath; }
  std::wstring GetInstallDirectory() override { return ExtractDirectory(executablePath); }

  void ShowError(const std::wstring&) override {}
  void ShowErrorTitled(const std::wstring&, const std::wstring&) override {}
  DialogAnswer AskOkCancel(const std::wstring&, const std::wstring&) override { return DialogAnswer::Cancel; }
  void ChangeWorkingDirectory(const std::wstring&) override {}
  void* ReservedSlot5(void*, void*) override { return nullptr; }
  void* ReservedSlot6(void*, void*) override { return nullptr; }
  std::wstring GetRoamingDataDirectory() override { return {}; }
  std::wstring FindRuntimeJvmLibrary(const std::wstring&) override { return {}; }
  std::wstring FindSystemJvmLibrary() override { return {}; }
  std::wstring FindSystemJavaHome() override { return {}; }
  std::unique_ptr<ISectionalPropertyContainer> OpenConfigFile(const std::wstring&) override { return nullptr; }
  ModuleHandle OpenLibrary(const std::wstring&) override { return nullptr; }
  bool CloseLibrary(ModuleHandle) override { return false; }
  void* FindLibrarySymbol(ModuleHandle, const std::string&) override { return nullptr; }
  std::vector<std::wstring> ListLibraryImports(const std::wstring&) override { return {}; }
  std::vector<std::wstring> SelectRuntimeDependencies(const std::vector<std::wstring>&) override { return {}; }
  std::unique_ptr<Process> NewProcess() override { return nullptr; }
  bool OnMainThread() override { return true; }
  uint64_t GetAddressSpaceMegabytes() override { return 0; }

  std::wstring executablePath;
};

#endif
