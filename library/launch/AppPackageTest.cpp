#include "launch/AppPackage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "config/ScratchFolder.h"
#include "launch/AppCDS.h"
#include "launch/MacroExpander.h"
#include "launch/PackageTestPlatform.h"
#include "platform/FileSystem.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

Pairs Entries(const OrderedTable& table) {
  Pairs pairs;
  for (const auto& entry : table) pairs.emplace_back(entry.key, entry.value);
  return pairs;
}

const char kIniPackage[] =
    "[Application]\n"
    "app.mainjar=lib/main.jar\n"
    "app.mainclass=com.example.Main\n"
    "app.classpath=lib/a.jar:lib/b.jar\n"
    "app.preferences.id=com.Example.tool\n"
    "app.identifier=vendor/tool\n"
    "app.runtime=$APPDIR\\runtime\n"
    "app.memory=50%\n"
    "app.splash=img/splash.png\n"
    "[JVMOptions]\n"
    "-Dfile.encoding=UTF-8\n"
    "-Xss2m\n"
    "[JVMUserOptions]\n"
    "-Xmx=512m\n"
    "-Dmode=a\n"
    "[ArgOptions]\n"
    "-Dx\n"
    "mode=fast\n";

// A package below a scratch folder: the executable tool.exe beside the "app"
// folder, and the user's roaming folder beside both.
class AppPackageTest : public testing::Test {
 protected:
  AppPackageTest() {
    platform.executablePath = folder / L"tool.exe";
    platform.roamingDataDirectory = folder / L"roaming";
  }

  void WriteConfig(const std::string& content) { folder.Write(L"app\\tool.cfg", content); }

  std::unique_ptr<AppPackage> Load() {
    auto package = std::make_unique<AppPackage>(platform, macros);
    package->Initialize();
    return package;
  }

  ScratchFolder folder;
  PackageTestPlatform platform;
  MacroExpander macros;
};

TEST_F(AppPackageTest, SettingsFromASectionedConfiguration) {
  WriteConfig(kIniPackage);
  folder.Write(L"app\\img\\splash.png", "png");
  std::unique_ptr<AppPackage> package = Load();
  const PackageSettings& s = *package->settings;
  EXPECT_EQ(folder / L"", s.installDirectory + L"\\");
  EXPECT_EQ(folder / L"app", s.appFilesDirectory);
  EXPECT_EQ(s.installDirectory, s.launcherDirectory);
  EXPECT_EQ(folder / L"roaming", s.roamingDataDirectory);
  EXPECT_EQ(L"com.Example.tool", s.appId);
  EXPECT_EQ(L"vendor\\tool", s.appIdentifier);
  EXPECT_EQ(folder / L"app\\lib\\main.jar", s.mainJar);
  EXPECT_EQ(s.mainJar + L";lib/a.jar;lib/b.jar", s.classPath);
  EXPECT_EQ(L"com.example.Main", s.mainClassName);
  EXPECT_EQ(folder / L"app\\img\\splash.png", s.splashScreenFileName);
  EXPECT_TRUE(s.usesPackageRuntime);
  EXPECT_EQ(L"$APPDIR\\runtime", s.jvmRuntimeDirectory);
  EXPECT_EQ(1023u, s.memorySize);
  EXPECT_EQ(1, s.hasMemorySize);
  EXPECT_EQ(AppCDSMode::Off, platform.GetAppCDSMode());
  EXPECT_EQ((Pairs{{L"-Dfile.encoding", L"UTF-8"}, {L"-Xss2m", L""}}), Entries(s.jvmOptions));
  EXPECT_EQ((std::vector<std::wstring>{L"-Dx", L"mode=fast"}), s.arguments);
  EXPECT_EQ((Pairs{{L"-Xmx", L"512m"}, {L"-Dmode", L"a"}}), Entries(package->userJvmOptionDefaults));
  EXPECT_EQ(Entries(package->userJvmOptionDefaults), Entries(package->userJvmOptions));
  EXPECT_EQ(0u, package->userJvmOptionOverrides.Count());
}

TEST_F(AppPackageTest, FlatConfigurationIsReadLikeASectionedOne) {
  WriteConfig(
      "app.mainjar=main.jar\n"
      "app.mainclass=Main\n"
      "app.identifier=tool\n"
      "jvmarg.1=-Xss2m\n"
      "jvmuserarg.1.name=-Xmx\n"
      "jvmuserarg.1.value=256m\n"
      "arg.1=first\n");
  std::unique_ptr<AppPackage> package = Load();
  EXPECT_EQ(folder / L"app\\main.jar", package->settings->mainJar);
  EXPECT_EQ(L"Main", package->settings->mainClassName);
  EXPECT_EQ((Pairs{{L"-Xss2m", L""}}), Entries(package->settings->jvmOptions));
  EXPECT_EQ((Pairs{{L"-Xmx", L"256m"}}), Entries(package->userJvmOptions));
  EXPECT_EQ((std::vector<std::wstring>{L"first"}), package->settings->arguments);
}

TEST_F(AppPackageTest, WithoutConfigurationEveryValueIsEmpty) {
  std::unique_ptr<AppPackage> package = Load();
  const PackageSettings& s = *package->settings;
  EXPECT_EQ(folder / L"app\\", s.mainJar);
  EXPECT_EQ(s.mainJar, s.classPath);
  EXPECT_EQ(L"", s.mainClassName);
  EXPECT_EQ(L"", s.appId);
  EXPECT_EQ(L"", s.splashScreenFileName);
  EXPECT_EQ(0, s.hasMemorySize);
  EXPECT_EQ(0u, s.jvmOptions.Count());
  EXPECT_TRUE(s.arguments.empty());
  EXPECT_EQ(AppCDSMode::Off, platform.GetAppCDSMode());
  EXPECT_EQ(folder / L"roaming\\packager\\jvmuserargs.cfg", package->GetUserConfigFileName());
}

TEST_F(AppPackageTest, MissingSplashImageIsDropped) {
  WriteConfig("[Application]\napp.splash=none.png\n");
  EXPECT_EQ(L"", Load()->settings->splashScreenFileName);
}

TEST_F(AppPackageTest, CommandLineReplacesConfiguredArguments) {
  struct Case {
    std::vector<const wchar_t*> arguments;
    const wchar_t* commandName;
    std::vector<std::wstring> applicationArguments;
  };
  const Case kCases[] = {
      {{}, L"", {L"-Dx", L"mode=fast"}},
      {{L"tool.exe"}, L"tool.exe", {L"-Dx", L"mode=fast"}},
      {{L"tool.exe", L"-sign", L"C:\\a b.pdf"}, L"tool.exe", {L"-sign", L"C:\\a b.pdf"}},
      {{L"tool.exe", L"-Xappcds:off"}, L"tool.exe", {L"-Xappcds:off"}},
  };
  WriteConfig(kIniPackage);
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.arguments.size() << " arguments");
    std::unique_ptr<AppPackage> package = Load();
    package->SetCommandLineArguments(static_cast<int>(c.arguments.size()), c.arguments.data());
    EXPECT_EQ(c.commandName, package->settings->commandName);
    EXPECT_EQ(c.applicationArguments, package->settings->arguments);
  }
}

TEST_F(AppPackageTest, MacrosComeFromThePackage) {
  WriteConfig(kIniPackage);
  std::unique_ptr<AppPackage> package = Load();
  macros.Initialize(*package);
  std::wstring install = package->settings->installDirectory;
  std::wstring runtime = install + L"\\runtime\\bin\\server";
  EXPECT_EQ(runtime + L"\\jvm.dll", package->GetJVMLibraryFileName());
  EXPECT_EQ(install + L"|" + install + L"\\app|" + install + L"|" + folder / L"roaming",
            macros.ExpandMacros(L"$APPDIR|$PACKAGEDIR|$LAUNCHERDIR|$APPDATADIR"));
  EXPECT_EQ(runtime + L"|server", macros.ExpandMacros(L"$JREHOME|$JAVAVMLIBRARYNAME"));
  EXPECT_EQ(folder / L"roaming\\vendor\\tool\\cache", macros.ExpandMacros(L"$CACHEDIR"));
  EXPECT_EQ(folder / L"roaming\\vendor\\tool\\cache", package->GetAppCDSCacheDirectory());
}

// Without its own runtime the package takes the registered one, which answers only
// once class-data sharing is off.
TEST_F(AppPackageTest, RegisteredRuntimeOnlyWhenSharingIsOff) {
  platform.systemJavaHome = L"C:\\Java";
  WriteConfig("[Application]\napp.mainclass=Main\n");
  std::unique_ptr<AppPackage> settled = Load();
  EXPECT_FALSE(settled->settings->usesPackageRuntime);
  EXPECT_EQ(L"", settled->settings->jvmRuntimeDirectory);
  EXPECT_EQ(L"C:\\Java\\bin\\server\\jvm.dll", settled->GetJVMLibraryFileName());

  platform.SetAppCDSMode(AppCDSMode::Undetermined);
  WriteConfig("[Application]\napp.mainclass=Main\n[AppCDSJVMOptions]\n-Xshare:on\n");
  std::unique_ptr<AppPackage> sharing = Load();
  EXPECT_EQ(AppCDSMode::On, platform.GetAppCDSMode());
  EXPECT_EQ(L"", sharing->GetJVMLibraryFileName());

  platform.SetAppCDSMode(AppCDSMode::Off);
  EXPECT_EQ(L"C:\\Java", Load()->settings->jvmRuntimeDirectory);
}

const char kCachePackage[] =
    "[Application]\n"
    "app.identifier=tool\n"
    "app.appcds.cache=auto\n"
    "[JVMOptions]\n"
    "-Dplain\n"
    "[AppCDSJVMOptions]\n"
    "-XX:SharedArchiveFile=$CACHEDIR/app.jsa\n"
    "[AppCDSGenerateCacheJVMOptions]\n"
    "-Xshare:dump\n";

TEST_F(AppPackageTest, CacheFileLandsInTheCacheFolder) {
  WriteConfig(kCachePackage);
  std::unique_ptr<AppPackage> package = Load();
  macros.Initialize(*package);
  EXPECT_EQ(AppCDSMode::Auto, platform.GetAppCDSMode());
  EXPECT_EQ(folder / L"roaming\\tool\\cache\\app.jsa", package->GetAppCDSCacheFileName());
}

// The generating run must start from no archive: the cache named for the normal
// runs is the one it replaces.
TEST_F(AppPackageTest, GenerationStartsFromNoArchive) {
  WriteConfig(kCachePackage);
  platform.SetAppCDSMode(AppCDSMode::GenerateCache);
  std::unique_ptr<AppPackage> package = Load();
  macros.Initialize(*package);
  EXPECT_EQ((Pairs{{L"-Xshare:dump", L""}}), Entries(package->settings->jvmOptions));
  PrepareAppCDSCacheGeneration(*package);
  EXPECT_TRUE(DirectoryExists(folder / L"roaming\\tool\\cache"));
  folder.Write(L"roaming\\tool\\cache\\app.jsa", "archive");
  PrepareAppCDSCacheGeneration(*package);
  EXPECT_FALSE(FileExists(folder / L"roaming\\tool\\cache\\app.jsa"));
  EXPECT_TRUE(DirectoryExists(folder / L"roaming\\tool\\cache"));
}

// The fallback after a generating child that wrote nothing: the plain options, and
// the user tables filled once, not twice.
TEST_F(AppPackageTest, ReloadAfterFallbackUsesThePlainOptions) {
  WriteConfig(std::string(kCachePackage) + "[JVMUserOptions]\n-Xmx=512m\n");
  folder.Write(L"roaming\\tool\\packager\\jvmuserargs.cfg", "[JVMUserOverrideOptions]\n-Dextra=1\n");
  std::unique_ptr<AppPackage> package = Load();
  platform.SetAppCDSMode(AppCDSMode::Off);
  package->Reload();
  EXPECT_EQ((Pairs{{L"-Dplain", L""}}), Entries(package->settings->jvmOptions));
  EXPECT_EQ((Pairs{{L"-Xmx", L"512m"}}), Entries(package->userJvmOptionDefaults));
  EXPECT_EQ((Pairs{{L"-Dextra", L"1"}}), Entries(package->userJvmOptionOverrides));
  EXPECT_EQ((Pairs{{L"-Xmx", L"512m"}, {L"-Dextra", L"1"}}), Entries(package->userJvmOptions));
}

TEST_F(AppPackageTest, UserValuesAreKeptInTheUserFile) {
  WriteConfig(kIniPackage);
  folder.Write(L"roaming\\vendor\\tool\\packager\\jvmuserargs.cfg", "[JVMUserOverrideOptions]\n-Xmx=1g\n");
  std::unique_ptr<AppPackage> package = Load();
  EXPECT_EQ((Pairs{{L"-Xmx", L"1g"}, {L"-Dmode", L"a"}}), Entries(package->CopyUserJvmOptions()));

  OrderedTable newValues;
  newValues.Append(L"-Xmx", L"512m");
  newValues.Append(L"-Dmode", L"b");
  newValues.Append(L"-Dextra", L"1");
  package->SetUserJvmOptionOverrides(newValues);
  EXPECT_EQ((Pairs{{L"-Dmode", L"b"}, {L"-Dextra", L"1"}}), Entries(package->CopyUserJvmOptionOverrides()));
  EXPECT_EQ((Pairs{{L"-Xmx", L"512m"}, {L"-Dmode", L"b"}, {L"-Dextra", L"1"}}),
            Entries(package->CopyUserJvmOptions()));
  EXPECT_EQ("[JVMUserOverrideOptions]\r\n-Dmode=b\r\n-Dextra=1\r\n\r\n",
            folder.Read(L"roaming\\vendor\\tool\\packager\\jvmuserargs.cfg"));
  EXPECT_EQ(Entries(package->CopyUserJvmOptions()), Entries(Load()->CopyUserJvmOptions()));

  package->SetUserJvmOptionOverrides(package->CopyUserJvmOptionDefaults());
  EXPECT_EQ("[JVMUserOverrideOptions]\r\n\r\n", folder.Read(L"roaming\\vendor\\tool\\packager\\jvmuserargs.cfg"));
  EXPECT_EQ(Entries(package->userJvmOptionDefaults), Entries(package->CopyUserJvmOptions()));
}

// Java threads set and read the user tables at once; every copy they see is whole.
TEST_F(AppPackageTest, UserTablesStayWholeUnderConcurrentBridgeCalls) {
  WriteConfig(kIniPackage);
  std::unique_ptr<AppPackage> package = Load();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&package, t] {
      for (int i = 0; i < 25; ++i) {
        OrderedTable values;
        values.Append(L"-Xmx", std::to_wstring(t * 100 + i) + L"m");
        package->SetUserJvmOptionOverrides(values);
        OrderedTable seen = package->CopyUserJvmOptions();
        EXPECT_EQ(2u, seen.Count());
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(Entries(package->CopyUserJvmOptions()), Entries(Load()->CopyUserJvmOptions()));
}

}  // namespace
