#ifndef QUENDRA_LAUNCH_APPCDS_H
#define QUENDRA_LAUNCH_APPCDS_H

#include "platform/Platform.h"

class AppPackage;
class ISectionalPropertyContainer;
struct PackageSettings;

// The class-data-sharing rules: whether this launch uses, generates or ignores the
// cache, and which JVM option section of the configuration it runs with.

// When the platform's mode is still Undetermined: Auto when the configuration has
// the section "AppCDSJVMOptions" and "app.appcds.cache" of "Application" is exactly
// "auto", On when it has the section otherwise, Off without it. A mode that a
// command-line flag set stays.
void SettleAppCDSMode(Platform& platform, ISectionalPropertyContainer& config, ConfigKeyTable& keys);

// Appends the entries of the section the mode selects to `settings.jvmOptions`:
// "JVMOptions" for Off, "AppCDSGenerateCacheJVMOptions" for GenerateCache,
// "AppCDSJVMOptions" for On and Auto. For On and Auto a "-XX:SharedArchiveFile"
// entry names the cache; without one no options are taken. A non-empty name is
// also appended once more with backslashes for slashes, so the last entry wins.
// For GenerateCache the same entry, when present, names the cache that the
// generating run replaces. Throws Exception "Internal Error" for Undetermined.
void SelectJvmOptionSection(AppCDSMode mode, ISectionalPropertyContainer& config, ConfigKeyTable& keys,
                            PackageSettings& settings);

// The generating run starts from no archive: creates the cache folder when it is
// missing, otherwise deletes the package's cache file when there is one.
void PrepareAppCDSCacheGeneration(AppPackage& package);

#endif
