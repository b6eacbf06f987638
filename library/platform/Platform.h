#ifndef QUENDRA_PLATFORM_PLATFORM_H
#define QUENDRA_PLATFORM_PLATFORM_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

class ISectionalPropertyContainer;
class Process;

// The launch-wide class-data-sharing mode.
enum class AppCDSMode : int32_t {
  Undetermined = 0,
  Off = 1,
  On = 2,
  Auto = 3,
  GenerateCache = 4,
};

enum class DialogAnswer { Ok = 0, Cancel = 1 };

// Opaque module handle of a loaded library; null means none.
using ModuleHandle = void*;

// Logical configuration identifier to the name that stands in the file. Looking up
// an identifier that is not there with operator[] yields an empty name.
using ConfigKeyTable = std::map<std::wstring, std::wstring>;

// The one gateway of the launcher library to operating-system services. The order
// of the operations is the order of the virtual slots.
class Platform {
 public:
  virtual ~Platform();

  virtual void ShowError(const std::wstring& text) = 0;
  virtual void ShowErrorTitled(const std::wstring& title, const std::wstring& text) = 0;
  virtual DialogAnswer AskOkCancel(const std::wstring& title, const std::wstring& text) = 0;
  virtual void ChangeWorkingDirectory(const std::wstring& path) = 0;
  virtual void* ReservedSlot5(void* first, void* second) = 0;
  virtual void* ReservedSlot6(void* first, void* second) = 0;
  virtual std::wstring GetRoamingDataDirectory() = 0;
  virtual std::wstring GetAppFilesDirectory() = 0;
  virtual std::wstring GetLauncherDirectory() = 0;
  virtual std::wstring GetLauncherName() = 0;
  // The package configuration file, or empty when there is none.
  virtual std::wstring FindConfigFile() = 0;
  virtual std::wstring FindRuntimeJvmLibrary(const std::wstring& runtimeDirectory) = 0;
  virtual std::wstring FindSystemJvmLibrary() = 0;
  virtual std::wstring FindSystemJavaHome() = 0;
  // Always an object; one without sections when nothing could be read.
  virtual std::unique_ptr<ISectionalPropertyContainer> OpenConfigFile(const std::wstring& path) = 0;
  virtual std::wstring GetExecutablePath() = 0;
  virtual std::wstring GetInstallDirectory() = 0;
  virtual ModuleHandle OpenLibrary(const std::wstring& path) = 0;
  virtual bool CloseLibrary(ModuleHandle module) = 0;
  virtual void* FindLibrarySymbol(ModuleHandle module, const std::string& name) = 0;
  virtual std::vector<std::wstring> ListLibraryImports(const std::wstring& path) = 0;
  virtual std::vector<std::wstring> SelectRuntimeDependencies(const std::vector<std::wstring>& names) = 0;
  virtual std::unique_ptr<Process> NewProcess() = 0;
  virtual bool OnMainThread() = 0;
  virtual uint64_t GetAddressSpaceMegabytes() = 0;
  virtual ConfigKeyTable GetConfigKeyTable() = 0;
  virtual std::vector<std::wstring> ReadTextLines(const std::wstring& path) = 0;
  // Whether the file now holds the lines, and the system's code when it does not.
  virtual FileWriteResult WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines,
                                         bool perUserFile) = 0;

  // The process's one platform, created on first use (thread-safe); it records the
  // calling thread as the main thread.
  static Platform& GetInstance();

  AppCDSMode GetAppCDSMode() const { return appCDSMode; }
  void SetAppCDSMode(AppCDSMode mode) { appCDSMode = mode; }

 private:
  AppCDSMode appCDSMode = AppCDSMode::Undetermined;
};

#endif
