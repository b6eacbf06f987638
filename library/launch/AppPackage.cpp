#include "launch/AppPackage.h"

#include <utility>

#include "config/IniFile.h"
#include "config/ISectionalPropertyContainer.h"
#include "config/OptionText.h"
#include "launch/AppCDS.h"
#include "launch/MacroExpander.h"
#include "launch/UserJvmOptions.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace {

// False, with `value` untouched, when the key is absent from "Application".
bool ReadApplicationKey(ISectionalPropertyContainer& config, ConfigKeyTable& keys, const wchar_t* identifier,
                        std::wstring& value) {
  return config.GetValue(keys[L"CONFIG_SECTION_APPLICATION"], keys[identifier], value);
}

std::wstring ApplicationKey(ISectionalPropertyContainer& config, ConfigKeyTable& keys, const wchar_t* identifier) {
  std::wstring value;
  ReadApplicationKey(config, keys, identifier, value);
  return value;
}

}  // namespace

AppPackage::AppPackage(Platform& platform, MacroExpander& macros) : platform(platform), macros(macros) {}

AppPackage::~AppPackage() = default;

// The load is a second function-local static rather than a std::call_once: the
// same once-only guarantee (a load that throws is tried again by the next call),
// without the once-flag machinery of the threads library, whose first use costs
// about a tenth of a millisecond under Wine.
AppPackage& AppPackage::GetInstance() {
  static AppPackage instance(Platform::GetInstance(), MacroExpander::GetInstance());
  static const bool loaded = (instance.Initialize(), true);
  static_cast<void>(loaded);
  return instance;
}

void AppPackage::Initialize() {
  settings = std::make_unique<PackageSettings>();
  ReadDirectories();
  ConfigKeyTable keys = platform.GetConfigKeyTable();
  std::unique_ptr<ISectionalPropertyContainer> config = OpenConfiguration();
  ReadApplicationKeys(*config, keys);
  ReadRuntime(*config, keys);
  SettleAppCDSMode(platform, *config, keys);
  SelectJvmOptionSection(platform.GetAppCDSMode(), *config, keys, *settings);
  ReadArguments(*config, keys);
  LoadUserTables(*config, keys);
  ReadMemorySetting(*config, keys);
  MergeUserJvmOptions();
}

void AppPackage::Reload() {
  settings.reset();
  {
    std::lock_guard<std::mutex> guard(userTablesLock);
    userJvmOptionOverrides.Clear();
    userJvmOptionDefaults.Clear();
    userJvmOptions.Clear();
  }
  Initialize();
}

// A platform that answers no object is treated as one without configuration.
std::unique_ptr<ISectionalPropertyContainer> AppPackage::OpenConfiguration() {
  std::unique_ptr<ISectionalPropertyContainer> config = platform.OpenConfigFile(platform.FindConfigFile());
  if (!config) config = std::make_unique<IniFile>();
  return config;
}

void AppPackage::ReadDirectories() {
  settings->installDirectory = platform.GetInstallDirectory();
  settings->appFilesDirectory = platform.GetAppFilesDirectory();
  settings->launcherDirectory = platform.GetLauncherDirectory();
  settings->roamingDataDirectory = platform.GetRoamingDataDirectory();
}

void AppPackage::ReadApplicationKeys(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  settings->appId = ApplicationKey(config, keys, L"CONFIG_APP_ID_KEY");
  settings->appIdentifier = ToBackslashes(ApplicationKey(config, keys, L"CONFIG_APP_IDENTIFIER"));
  ReadMainJarAndClassPath(config, keys);
  settings->mainClassName = ApplicationKey(config, keys, L"CONFIG_MAINCLASSNAME_KEY");
  ReadSplashScreen(config, keys);
}

// The main jar is always taken relative to the app files folder.
void AppPackage::ReadMainJarAndClassPath(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  settings->mainJar = IncludeTrailingBackslash(settings->appFilesDirectory) +
                      ToBackslashes(ApplicationKey(config, keys, L"CONFIG_MAINJAR_KEY"));
  settings->classPath = ComposeClassPath(ApplicationKey(config, keys, L"CONFIG_CLASSPATH_KEY"), settings->mainJar);
}

// A splash image that is not there is dropped without a word.
void AppPackage::ReadSplashScreen(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  std::wstring splash;
  if (!ReadApplicationKey(config, keys, L"CONFIG_SPLASH_KEY", splash)) return;
  settings->splashScreenFileName = IncludeTrailingBackslash(settings->appFilesDirectory) + ToBackslashes(splash);
  if (!FileExists(settings->splashScreenFileName)) settings->splashScreenFileName.clear();
}

// The registered runtime answers only while class-data sharing is off, which at
// this point only the command line can have decided.
void AppPackage::ReadRuntime(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  settings->usesPackageRuntime = true;
  settings->jvmRuntimeDirectory = ApplicationKey(config, keys, L"JVM_RUNTIME_KEY");
  if (settings->jvmRuntimeDirectory.empty()) {
    settings->usesPackageRuntime = false;
    settings->jvmRuntimeDirectory = platform.FindSystemJavaHome();
  }
}

void AppPackage::ReadArguments(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  OrderedTable configured;
  if (!settings->arguments.empty() || !config.GetSection(keys[L"CONFIG_SECTION_ARGOPTIONS"], configured)) return;
  settings->arguments = TableToArgumentList(configured);
}

void AppPackage::ReadMemorySetting(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  std::wstring value;
  if (!ReadApplicationKey(config, keys, L"CONFIG_APP_MEMORY", value)) return;
  MemorySize size = ReadMemorySize(value, platform.GetAddressSpaceMegabytes());
  settings->memorySize = size.megabytes;
  settings->hasMemorySize = size.present;
}

void AppPackage::LoadUserTables(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  std::lock_guard<std::mutex> guard(userTablesLock);
  config.GetSection(keys[L"CONFIG_SECTION_JVMUSEROPTIONS"], userJvmOptionDefaults);
  userJvmOptionOverrides.AppendTable(ReadUserJvmOptionOverrides(
      GetUserConfigFileName(), keys[L"CONFIG_SECTION_JVMUSEROVERRIDESOPTIONS"], settings->appId));
}

void AppPackage::SetCommandLineArguments(int count, const wchar_t* const* arguments) {
  if (count <= 0 || !settings) return;
  settings->commandName = arguments[0];
  if (count < 2) return;
  settings->arguments.assign(arguments + 1, arguments + count);
}

std::wstring AppPackage::GetJVMLibraryFileName() {
  if (!settings) return {};
  if (!settings->jvmLibraryFileName.empty()) return settings->jvmLibraryFileName;
  if (settings->usesPackageRuntime) {
    settings->jvmLibraryFileName = platform.FindRuntimeJvmLibrary(macros.ExpandMacros(settings->jvmRuntimeDirectory));
  } else {
    settings->jvmLibraryFileName = platform.FindSystemJvmLibrary();
  }
  return settings->jvmLibraryFileName;
}

std::wstring AppPackage::GetAppCDSCacheDirectory() {
  if (appCDSCacheDirectory.empty()) {
    std::wstring appIdentifier = settings ? settings->appIdentifier : std::wstring();
    std::wstring directory = IncludeTrailingBackslash(RoamingDataDirectory()) +
                             IncludeTrailingBackslash(appIdentifier) + L"cache";
    appCDSCacheDirectory = ToBackslashes(macros.ExpandMacros(directory));
  }
  return appCDSCacheDirectory;
}

std::wstring AppPackage::GetAppCDSCacheFileName() {
  if (!settings) return {};
  if (!settings->appCDSCacheFileName.empty()) {
    settings->appCDSCacheFileName = ToBackslashes(macros.ExpandMacros(settings->appCDSCacheFileName));
  }
  return settings->appCDSCacheFileName;
}

std::wstring AppPackage::GetUserConfigFileName() {
  if (userConfigFileName.empty()) {
    std::wstring appIdentifier = settings ? settings->appIdentifier : std::wstring();
    userConfigFileName = MakeUserConfigFileName(RoamingDataDirectory(), appIdentifier);
  }
  return userConfigFileName;
}

// The folder that loading the package asked the platform for: asking the shell
// again costs as much as the first time and gives the same answer in one process.
std::wstring AppPackage::RoamingDataDirectory() {
  return settings ? settings->roamingDataDirectory : platform.GetRoamingDataDirectory();
}

void AppPackage::MergeUserJvmOptions() {
  std::lock_guard<std::mutex> guard(userTablesLock);
  MergeUserJvmOptionsLocked();
}

void AppPackage::MergeUserJvmOptionsLocked() {
  OrderedTable merged = MergeUserJvmOptionTables(userJvmOptionDefaults, userJvmOptionOverrides);
  userJvmOptions.Clear();
  userJvmOptions.AppendTable(merged);
}

// The file is written under the lock too, so that two Java threads setting values
// at once leave the file matching the tables. Both new tables are made before
// either is replaced: a failure on the way (memory running out) leaves the tables
// as they were. A file that cannot be written does not stop the change here.
void AppPackage::SetUserJvmOptionOverrides(OrderedTable newValues) {
  ConfigKeyTable keys = platform.GetConfigKeyTable();
  std::lock_guard<std::mutex> guard(userTablesLock);
  OrderedTable overrides = SelectUserJvmOptionOverrides(userJvmOptionDefaults, newValues);
  OrderedTable merged = MergeUserJvmOptionTables(userJvmOptionDefaults, overrides);
  WriteUserJvmOptionOverrides(GetUserConfigFileName(), keys[L"CONFIG_SECTION_JVMUSEROVERRIDESOPTIONS"],
                              overrides);
  userJvmOptionOverrides = std::move(overrides);
  userJvmOptions = std::move(merged);
}

OrderedTable AppPackage::CopyUserJvmOptionDefaults() const {
  std::lock_guard<std::mutex> guard(userTablesLock);
  return userJvmOptionDefaults;
}

OrderedTable AppPackage::CopyUserJvmOptionOverrides() const {
  std::lock_guard<std::mutex> guard(userTablesLock);
  return userJvmOptionOverrides;
}

OrderedTable AppPackage::CopyUserJvmOptions() const {
  std::lock_guard<std::mutex> guard(userTablesLock);
  return userJvmOptions;
}
