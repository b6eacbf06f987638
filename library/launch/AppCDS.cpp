#include "launch/AppCDS.h"

#include "config/ISectionalPropertyContainer.h"
#include "config/OrderedTable.h"
#include "jvm/Exception.h"
#include "launch/AppPackage.h"
#include "launch/PackageSettings.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"

namespace {

const wchar_t kCacheModeKey[] = L"app.appcds.cache";
const wchar_t kSharedArchiveFileOption[] = L"-XX:SharedArchiveFile";

bool AsksForAutomaticCache(ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  std::wstring value;
  return config.GetValue(keys[L"CONFIG_SECTION_APPLICATION"], kCacheModeKey, value) && value == L"auto";
}

// Reads the cache file of the section "AppCDSJVMOptions"; false when it names none.
bool ReadCacheFileName(ISectionalPropertyContainer& config, ConfigKeyTable& keys, PackageSettings& settings) {
  return config.GetValue(keys[L"CONFIG_SECTION_APPCDSJVMOPTIONS"], kSharedArchiveFileOption,
                         settings.appCDSCacheFileName);
}

// A section read from a file keeps every entry of a repeated key, so adding the
// converted name to the configuration's section lands after the entry as written;
// appending it to the taken options gives the same list without changing the
// configuration.
void SelectCacheOptions(ISectionalPropertyContainer& config, ConfigKeyTable& keys, PackageSettings& settings) {
  if (!ReadCacheFileName(config, keys, settings)) return;
  config.GetSection(keys[L"CONFIG_SECTION_APPCDSJVMOPTIONS"], settings.jvmOptions);
  if (!settings.appCDSCacheFileName.empty()) {
    settings.appCDSCacheFileName = ToBackslashes(settings.appCDSCacheFileName);
    settings.jvmOptions.Append(kSharedArchiveFileOption, settings.appCDSCacheFileName);
  }
}

void SelectGenerateCacheOptions(ISectionalPropertyContainer& config, ConfigKeyTable& keys,
                                PackageSettings& settings) {
  config.GetSection(keys[L"CONFIG_SECTION_APPCDSGENERATECACHEJVMOPTIONS"], settings.jvmOptions);
  if (ReadCacheFileName(config, keys, settings)) {
    settings.appCDSCacheFileName = ToBackslashes(settings.appCDSCacheFileName);
  }
}

}  // namespace

void SettleAppCDSMode(Platform& platform, ISectionalPropertyContainer& config, ConfigKeyTable& keys) {
  if (platform.GetAppCDSMode() != AppCDSMode::Undetermined) return;
  if (!config.ContainsSection(keys[L"CONFIG_SECTION_APPCDSJVMOPTIONS"])) {
    platform.SetAppCDSMode(AppCDSMode::Off);
  } else if (AsksForAutomaticCache(config, keys)) {
    platform.SetAppCDSMode(AppCDSMode::Auto);
  } else {
    platform.SetAppCDSMode(AppCDSMode::On);
  }
}

void SelectJvmOptionSection(AppCDSMode mode, ISectionalPropertyContainer& config, ConfigKeyTable& keys,
                            PackageSettings& settings) {
  switch (mode) {
    case AppCDSMode::Off:
      config.GetSection(keys[L"CONFIG_SECTION_JVMOPTIONS"], settings.jvmOptions);
      break;
    case AppCDSMode::GenerateCache:
      SelectGenerateCacheOptions(config, keys, settings);
      break;
    case AppCDSMode::On:
    case AppCDSMode::Auto:
      SelectCacheOptions(config, keys, settings);
      break;
    case AppCDSMode::Undetermined:
      throw Exception(L"Internal Error");
  }
}

void PrepareAppCDSCacheGeneration(AppPackage& package) {
  std::wstring directory = package.GetAppCDSCacheDirectory();
  if (!DirectoryExists(directory)) {
    CreateDirectoryPath(directory);
    return;
  }
  std::wstring cacheFile = package.GetAppCDSCacheFileName();
  if (FileExists(cacheFile)) DeleteFileForced(cacheFile);
}
