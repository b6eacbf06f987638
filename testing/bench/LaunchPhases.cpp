// The launch that start_launcher runs, taken apart: the same library functions in
// the same order, from the platform's creation to the JVM library's entry point,
// with the performance counter read between the phases. It stands in a package
// folder as that package's executable, so that it finds the configuration, the
// runtime and the user's files exactly as the launcher does. It stops before the
// VM would be created and writes one line per phase to phases.txt beside itself.
//
// The package is loaded here step by step as AppPackage::Initialize loads it; at
// the end the package singleton is loaded the ordinary way and compared with this
// one, so that a change of the launch that this program does not follow shows as
// a failure instead of as figures of something else.
#include <windows.h>
#include <shellapi.h>

#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "config/IniFile.h"
#include "config/ISectionalPropertyContainer.h"
#include "config/OptionText.h"
#include "jvm/JavaVirtualMachine.h"
#include "jvm/JvmLibrary.h"
#include "jvm/JvmOptionList.h"
#include "launch/AppCDS.h"
#include "launch/AppPackage.h"
#include "launch/MacroExpander.h"
#include "launch/PackageSettings.h"
#include "launch/StartLauncher.h"
#include "launch/UserJvmOptions.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/WindowsPlatform.h"

namespace {

enum Phase {
  kCommandLine,
  kFolders,
  kConfiguration,
  kSettings,
  kAppCDS,
  kUserOptions,
  kMacroTable,
  kOptionList,
  kDependencyScan,
  kPreload,
  kJvmLoad,
  kPhaseCount
};

// The names that tools/bench prints, in launch order.
const char* const kPhaseNames[kPhaseCount] = {
    "platform, command line and log",
    "package folders",
    "configuration read and conversion",
    "package settings",
    "class-data sharing decision and cache checks",
    "user options file and registry preferences",
    "macro table (runtime and cache folders)",
    "JVM option list with macro expansion",
    "runtime dependency scan",
    "runtime dependency preload",
    "JVM library load",
};

// Adds the time since the previous mark to the phase that just ended.
class PhaseClock {
 public:
  PhaseClock() {
    ::QueryPerformanceFrequency(&frequency);
    last = Now();
  }

  void Mark(Phase phase) {
    long long now = Now();
    ticks[phase] += now - last;
    last = now;
  }

  long long Microseconds(Phase phase) const { return ticks[phase] * 1000000 / frequency.QuadPart; }

 private:
  static long long Now() {
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
  }

  LARGE_INTEGER frequency = {};
  long long last = 0;
  long long ticks[kPhaseCount] = {};
};

struct Configuration {
  ConfigKeyTable keys;
  std::unique_ptr<ISectionalPropertyContainer> file;

  std::wstring Application(const wchar_t* identifier, bool* present = nullptr) {
    std::wstring value;
    bool found = file->GetValue(keys[L"CONFIG_SECTION_APPLICATION"], keys[identifier], value);
    if (present != nullptr) *present = found;
    return value;
  }
};

void ReadFolders(Platform& platform, PackageSettings& settings) {
  settings.installDirectory = platform.GetInstallDirectory();
  settings.appFilesDirectory = platform.GetAppFilesDirectory();
  settings.launcherDirectory = platform.GetLauncherDirectory();
  settings.roamingDataDirectory = platform.GetRoamingDataDirectory();
}

Configuration OpenConfiguration(Platform& platform) {
  Configuration config;
  config.keys = platform.GetConfigKeyTable();
  config.file = platform.OpenConfigFile(platform.FindConfigFile());
  if (!config.file) config.file = std::make_unique<IniFile>();
  return config;
}

void ReadApplicationKeys(Platform& platform, Configuration& config, PackageSettings& settings) {
  settings.appId = config.Application(L"CONFIG_APP_ID_KEY");
  settings.appIdentifier = ToBackslashes(config.Application(L"CONFIG_APP_IDENTIFIER"));
  settings.mainJar = IncludeTrailingBackslash(settings.appFilesDirectory) +
                     ToBackslashes(config.Application(L"CONFIG_MAINJAR_KEY"));
  settings.classPath = ComposeClassPath(config.Application(L"CONFIG_CLASSPATH_KEY"), settings.mainJar);
  settings.mainClassName = config.Application(L"CONFIG_MAINCLASSNAME_KEY");
  bool hasSplash = false;
  std::wstring splash = config.Application(L"CONFIG_SPLASH_KEY", &hasSplash);
  if (hasSplash) {
    settings.splashScreenFileName = IncludeTrailingBackslash(settings.appFilesDirectory) + ToBackslashes(splash);
    if (!FileExists(settings.splashScreenFileName)) settings.splashScreenFileName.clear();
  }
  settings.usesPackageRuntime = true;
  settings.jvmRuntimeDirectory = config.Application(L"JVM_RUNTIME_KEY");
  if (settings.jvmRuntimeDirectory.empty()) {
    settings.usesPackageRuntime = false;
    settings.jvmRuntimeDirectory = platform.FindSystemJavaHome();
  }
}

void ReadArguments(Configuration& config, PackageSettings& settings) {
  OrderedTable configured;
  if (settings.arguments.empty() && config.file->GetSection(config.keys[L"CONFIG_SECTION_ARGOPTIONS"], configured)) {
    settings.arguments = TableToArgumentList(configured);
  }
}

void ReadMemory(Platform& platform, Configuration& config, PackageSettings& settings) {
  bool present = false;
  std::wstring value = config.Application(L"CONFIG_APP_MEMORY", &present);
  if (!present) return;
  MemorySize size = ReadMemorySize(value, platform.GetAddressSpaceMegabytes());
  settings.memorySize = size.megabytes;
  settings.hasMemorySize = size.present;
}

void LoadUserTables(AppPackage& package, Configuration& config) {
  config.file->GetSection(config.keys[L"CONFIG_SECTION_JVMUSEROPTIONS"], package.userJvmOptionDefaults);
  package.userJvmOptionOverrides.AppendTable(ReadUserJvmOptionOverrides(
      package.GetUserConfigFileName(), config.keys[L"CONFIG_SECTION_JVMUSEROVERRIDESOPTIONS"],
      package.settings->appId));
}

// AppPackage::Initialize, phase by phase.
void LoadPackage(Platform& platform, AppPackage& package, PhaseClock& clock) {
  package.settings = std::make_unique<PackageSettings>();
  PackageSettings& settings = *package.settings;
  ReadFolders(platform, settings);
  clock.Mark(kFolders);
  Configuration config = OpenConfiguration(platform);
  clock.Mark(kConfiguration);
  ReadApplicationKeys(platform, config, settings);
  clock.Mark(kSettings);
  SettleAppCDSMode(platform, *config.file, config.keys);
  SelectJvmOptionSection(platform.GetAppCDSMode(), *config.file, config.keys, settings);
  clock.Mark(kAppCDS);
  ReadArguments(config, settings);
  clock.Mark(kSettings);
  LoadUserTables(package, config);
  clock.Mark(kUserOptions);
  ReadMemory(platform, config, settings);
  clock.Mark(kSettings);
  package.MergeUserJvmOptions();
  clock.Mark(kUserOptions);
}

// What start_launcher does about the cache before the JVM start. A package that
// would start the generating child is not one this program measures.
bool CheckCache(Platform& platform, AppPackage& package) {
  AppCDSMode mode = platform.GetAppCDSMode();
  if (mode == AppCDSMode::GenerateCache) PrepareAppCDSCacheGeneration(package);
  if (mode == AppCDSMode::Auto && !FileExists(package.GetAppCDSCacheFileName())) return false;
  if (mode != AppCDSMode::On && mode != AppCDSMode::Auto) return true;
  return FileExists(package.GetAppCDSCacheFileName());
}

struct JvmStart {
  JvmOptionList options;
  std::vector<std::unique_ptr<SharedLibrary>> preloaded;
  JvmLibrary library;
  void* entryPoint = nullptr;
  size_t optionCount = 0;
};

// JavaVirtualMachine::StartJVM up to the call of the JVM library's entry point.
bool StartJvm(Platform& platform, AppPackage& package, PhaseClock& clock, JvmStart& start) {
  JavaVirtualMachine::AddPackageOptions(*package.settings, package.CopyUserJvmOptions(), start.options);
  if (package.settings->mainClassName.empty()) return false;
  clock.Mark(kOptionList);
  std::wstring libraryPath = package.GetJVMLibraryFileName();
  std::vector<std::wstring> dependencies = platform.SelectRuntimeDependencies(platform.ListLibraryImports(libraryPath));
  clock.Mark(kDependencyScan);
  for (const std::wstring& path : dependencies) {
    auto dependency = std::make_unique<SharedLibrary>(platform);
    if (dependency->Load(path)) start.preloaded.push_back(std::move(dependency));
  }
  clock.Mark(kPreload);
  start.library.Load(package.GetJVMLibraryFileName());
  clock.Mark(kJvmLoad);
  const std::wstring& splash = package.settings->splashScreenFileName;
  if (FileExists(splash)) start.options.AddOption(L"-splash:" + splash, L"");
  clock.Mark(kSettings);
  start.options.BuildOptionArray();
  start.optionCount = start.options.GetCount();
  clock.Mark(kOptionList);
  start.entryPoint = start.library.GetSymbol("JNI_CreateJavaVM");
  clock.Mark(kJvmLoad);
  return start.entryPoint != nullptr;
}

bool SameTable(const OrderedTable& a, const OrderedTable& b) {
  if (a.Count() != b.Count()) return false;
  auto other = b.begin();
  for (const auto& entry : a) {
    if (entry.key != other->key || entry.value != other->value) return false;
    ++other;
  }
  return true;
}

// The names of what differs between the package loaded here and the one
// AppPackage loads itself.
std::vector<std::string> Differences(AppPackage& measured, AppPackage& loaded) {
  const PackageSettings& a = *measured.settings;
  const PackageSettings& b = *loaded.settings;
  std::vector<std::string> differences;
  auto check = [&differences](bool same, const char* name) {
    if (!same) differences.push_back(name);
  };
  check(SameTable(a.jvmOptions, b.jvmOptions), "jvmOptions");
  check(SameTable(measured.userJvmOptions, loaded.userJvmOptions), "userJvmOptions");
  check(a.arguments == b.arguments, "arguments");
  check(a.classPath == b.classPath && a.mainJar == b.mainJar && a.mainClassName == b.mainClassName, "main class");
  check(a.appId == b.appId && a.appIdentifier == b.appIdentifier, "identifiers");
  check(a.jvmRuntimeDirectory == b.jvmRuntimeDirectory && a.usesPackageRuntime == b.usesPackageRuntime, "runtime");
  check(a.splashScreenFileName == b.splashScreenFileName, "splash");
  check(a.memorySize == b.memorySize && a.hasMemorySize == b.hasMemorySize, "memory");
  check(a.appCDSCacheFileName == b.appCDSCacheFileName, "cache file");
  check(measured.GetJVMLibraryFileName() == loaded.GetJVMLibraryFileName(), "JVM library");
  return differences;
}

void WriteReport(const std::wstring& path, const PhaseClock& clock, const JvmStart& start,
                 const std::vector<std::string>& differences) {
  FILE* file = _wfopen(path.c_str(), L"w");
  if (file == nullptr) return;
  for (int phase = 0; phase < kPhaseCount; ++phase) {
    std::fprintf(file, "phase %lld %s\n", clock.Microseconds(static_cast<Phase>(phase)), kPhaseNames[phase]);
  }
  std::fprintf(file, "options %u\n", static_cast<unsigned>(start.optionCount));
  for (const std::string& difference : differences) std::fprintf(file, "differs %s\n", difference.c_str());
  std::fclose(file);
}

int Measure(int argc, wchar_t** argv) {
  PhaseClock clock;
  Platform& platform = Platform::GetInstance();
  ReadLauncherFlags(platform, argc, argv);
  AppPackage package(platform, MacroExpander::GetInstance());
  dynamic_cast<WindowsPlatform&>(platform).SetRuntimeDirectoryProvider(
      [&package] { return MacroExpander::GetInstance().ExpandMacros(package.settings->jvmRuntimeDirectory); });
  clock.Mark(kCommandLine);
  LoadPackage(platform, package, clock);
  MacroExpander::GetInstance().Initialize(package);
  clock.Mark(kMacroTable);
  package.SetCommandLineArguments(argc, argv);
  platform.ChangeWorkingDirectory(package.settings->appFilesDirectory);
  clock.Mark(kSettings);
  bool cacheReady = CheckCache(platform, package);
  clock.Mark(kAppCDS);
  JvmStart start;
  bool started = cacheReady && StartJvm(platform, package, clock, start);

  AppPackage& loaded = AppPackage::GetInstance();
  loaded.SetCommandLineArguments(argc, argv);
  std::vector<std::string> differences = Differences(package, loaded);
  if (!cacheReady) differences.push_back("cache not ready");
  if (!started) differences.push_back("JVM library entry not reached");
  WriteReport(IncludeTrailingBackslash(package.settings->installDirectory) + L"phases.txt", clock, start,
              differences);
  return differences.empty() ? 0 : 3;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ::AllowSetForegroundWindow(ASFW_ANY);
  std::setlocale(LC_ALL, "en_US.utf8");
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  int exitCode = Measure(arguments != nullptr ? count : 0, arguments);
  ::LocalFree(arguments);
  return exitCode;
}
