#ifndef QUENDRA_LAUNCH_APPPACKAGE_H
#define QUENDRA_LAUNCH_APPPACKAGE_H

#include <memory>
#include <mutex>
#include <string>

#include "config/OrderedTable.h"
#include "launch/PackageSettings.h"
#include "platform/Platform.h"

class ISectionalPropertyContainer;
class MacroExpander;

// The application package being launched: where it is installed, what it runs and
// with which options, resolved once from the platform's directories, the package
// configuration file, the command line and the user's JVM option store.
//
// Threads: loading, SetCommandLineArguments and the JVM start's reading of
// `settings` happen on the launch thread before any Java code runs. Java threads
// may later reach the three user tables through the JVM options bridge at any
// time: they read them only through the Copy... operations and change them only
// through SetUserJvmOptionOverrides, which all hold one lock. Reading the tables
// directly is safe only on the launch thread before the JVM starts.
class AppPackage {
 public:
  // An empty package (no settings, empty tables) on the given platform, expanding
  // with the given macros; Initialize loads it.
  AppPackage(Platform& platform, MacroExpander& macros);
  AppPackage(const AppPackage&) = delete;
  AppPackage& operator=(const AppPackage&) = delete;
  ~AppPackage();

  // The process's one package, created and loaded on first use (thread-safe).
  static AppPackage& GetInstance();

  // Builds new settings and fills the three user tables from the configuration
  // file and the user's store. Settles the class-data-sharing mode when it is
  // still Undetermined. A missing configuration leaves every value empty.
  void Initialize();
  // Loads the package again after the class-data-sharing mode has changed: new
  // settings, the three user tables cleared and filled anew. The command line is
  // not applied again.
  void Reload();

  // Nothing for a count of 0 or less; otherwise argument 0 becomes the command
  // name, and from a count of 2 on the further arguments replace the configured
  // application arguments.
  void SetCommandLineArguments(int count, const wchar_t* const* arguments);

  // The JVM library of the package's own runtime (with macros expanded), or else of
  // the registered Java runtime. Resolved on the first request that finds one.
  std::wstring GetJVMLibraryFileName();

  // "<roaming>\<appIdentifier>\cache" with macros expanded; kept after the first
  // request.
  std::wstring GetAppCDSCacheDirectory();
  // The configured cache file with macros expanded and backslashes; empty when the
  // configuration names none.
  std::wstring GetAppCDSCacheFileName();

  // The user JVM options file; kept after the first request.
  std::wstring GetUserConfigFileName();

  // Rebuilds `userJvmOptions` from the defaults and the overrides. Takes the lock.
  void MergeUserJvmOptions();
  // Keeps as overrides the new values that the defaults lack or that differ from
  // them, replaces the user JVM options file with them and rebuilds
  // `userJvmOptions`. Takes the lock.
  void SetUserJvmOptionOverrides(OrderedTable newValues);

  // Copies of the user tables, taken under the lock.
  OrderedTable CopyUserJvmOptionDefaults() const;
  OrderedTable CopyUserJvmOptionOverrides() const;
  OrderedTable CopyUserJvmOptions() const;

  // Null once the JVM start has released the settings.
  std::unique_ptr<PackageSettings> settings;
  std::wstring userConfigFileName;
  std::wstring appCDSCacheDirectory;
  OrderedTable userJvmOptionOverrides;
  // The section "JVMUserOptions" of the configuration, in file order.
  OrderedTable userJvmOptionDefaults;
  // The defaults with the overrides applied: what the JVM start uses.
  OrderedTable userJvmOptions;

 private:
  std::unique_ptr<ISectionalPropertyContainer> OpenConfiguration();
  void ReadDirectories();
  void ReadApplicationKeys(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void ReadMainJarAndClassPath(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void ReadSplashScreen(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void ReadRuntime(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void ReadArguments(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void ReadMemorySetting(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void LoadUserTables(ISectionalPropertyContainer& config, ConfigKeyTable& keys);
  void MergeUserJvmOptionsLocked();
  std::wstring RoamingDataDirectory();

  Platform& platform;
  MacroExpander& macros;
  mutable std::mutex userTablesLock;
};

#endif
