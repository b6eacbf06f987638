#ifndef QUENDRA_LAUNCH_PACKAGESETTINGS_H
#define QUENDRA_LAUNCH_PACKAGESETTINGS_H

#include <cstdint>
#include <string>
#include <vector>

#include "config/OrderedTable.h"

// What the package configuration resolved to for one launch. Strings are empty
// when nothing was found. The JVM start releases the record once it has built the
// JVM options and the Java arguments.
struct PackageSettings {
  // The JVM option section that the class-data-sharing mode selects.
  OrderedTable jvmOptions;
  // Arguments of the Java main: the command line's, else the section "ArgOptions".
  std::vector<std::wstring> arguments;
  std::wstring installDirectory;
  std::wstring appFilesDirectory;
  std::wstring launcherDirectory;
  std::wstring roamingDataDirectory;
  std::wstring appId;
  // The application's folder below the roaming data folder, with backslashes.
  std::wstring appIdentifier;
  std::wstring classPath;
  std::wstring mainJar;
  std::wstring mainClassName;
  bool usesPackageRuntime = false;
  std::wstring jvmRuntimeDirectory;
  // Resolved on first request (AppPackage::GetJVMLibraryFileName).
  std::wstring jvmLibraryFileName;
  std::wstring splashScreenFileName;
  std::wstring commandName;
  std::wstring appCDSCacheFileName;
  // Heap size in megabytes; meaningful only when hasMemorySize is 1.
  uint64_t memorySize = 0;
  int32_t hasMemorySize = 0;
};

// The class path rule: every ":" becomes ";" (a drive letter's too); an empty
// result is the main jar alone, and the main jar is put in front unless its text
// already occurs in the class path.
std::wstring ComposeClassPath(const std::wstring& configured, const std::wstring& mainJar);

struct MemorySize {
  uint64_t megabytes = 0;
  int32_t present = 0;
};

// The "app.memory" rule: "auto" and "100%" are the whole address space, one or two
// ASCII digits followed by "%" that share of it (truncated); every other form is
// ignored (present 0).
MemorySize ReadMemorySize(const std::wstring& value, uint64_t addressSpaceMegabytes);

#endif
