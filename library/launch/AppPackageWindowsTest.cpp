#include "launch/AppPackage.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "config/ScratchFolder.h"
#include "jvm/ScratchPreferences.h"
#include "launch/AppCDS.h"
#include "launch/MacroExpander.h"
#include "platform/FileSystem.h"
#include "platform/WindowsHandles.h"
#include "platform/WindowsPlatform.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

Pairs Entries(const OrderedTable& table) {
  Pairs pairs;
  for (const auto& entry : table) pairs.emplace_back(entry.key, entry.value);
  return pairs;
}

// The Windows platform with the executable placed by the test; everything else is
// the system's: files, the roaming folder, the registry, the address space.
class PackageFolderPlatform : public WindowsPlatform {
 public:
  explicit PackageFolderPlatform(std::wstring executable) : executable(std::move(executable)) {}
  std::wstring GetExecutablePath() override { return executable; }

 private:
  std::wstring executable;
};

std::wstring RoamingFolder() {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

uint64_t AddressSpaceMegabytes() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return reinterpret_cast<uintptr_t>(info.lpMaximumApplicationAddress) >> 20;
}

// A package folder with quendra3.exe beside "app", and an application folder of its
// own in the user's real roaming folder, removed afterwards with the registry node
// of its preferences.
class AppPackageWindowsTest : public testing::Test {
 protected:
  AppPackageWindowsTest()
      : name(L"quendra-package-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(serial++)),
        roaming(RoamingFolder()),
        userFolder(roaming + L"\\" + name),
        platform(folder / L"quendra3.exe"),
        preferences(L"com.Quendra." + name) {}
  ~AppPackageWindowsTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(userFolder), ignored);
  }

  // The sectioned configuration of the package, with the application keys given.
  void WriteIniConfig(const std::string& fileName, const std::string& application, const std::string& rest = "") {
    std::string identity = "app.identifier=" + Narrow(name) + "\napp.preferences.id=" + Narrow(preferences.appId);
    folder.Write(L"app\\" + std::wstring(fileName.begin(), fileName.end()),
                 "[Application]\n" + identity + "\n" + application + rest);
  }

  std::unique_ptr<AppPackage> Load() {
    auto package = std::make_unique<AppPackage>(platform, macros);
    package->Initialize();
    return package;
  }

  static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

  static int serial;
  ScratchFolder folder;
  const std::wstring name;
  const std::wstring roaming;
  const std::wstring userFolder;
  PackageFolderPlatform platform;
  MacroExpander macros;
  ScratchPreferences preferences;
};

int AppPackageWindowsTest::serial = 0;

TEST_F(AppPackageWindowsTest, LoadsTheSectionedConfigurationNamedAfterTheExecutable) {
  ASSERT_FALSE(roaming.empty());
  WriteIniConfig("quendra3.cfg",
                 "app.mainjar=lib/main.jar\napp.mainclass=com.example.Main\napp.classpath=lib/a.jar\n"
                 "app.memory=auto\napp.splash=splash.png\napp.runtime=$APPDIR\\runtime\n",
                 "[JVMOptions]\n-Xss2m\n[JVMUserOptions]\n-Xmx=512m\n[ArgOptions]\n-new\n");
  folder.Write(L"app\\package.cfg", "[Application]\napp.mainclass=Other\n");
  folder.Write(L"app\\splash.png", "png");
  folder.Write(L"runtime\\bin\\server\\jvm.dll", "");
  std::unique_ptr<AppPackage> package = Load();
  macros.Initialize(*package);
  const PackageSettings& s = *package->settings;
  EXPECT_EQ(folder / L"app", s.appFilesDirectory);
  EXPECT_EQ(roaming, s.roamingDataDirectory);
  EXPECT_EQ(L"com.example.Main", s.mainClassName);
  EXPECT_EQ(folder / L"app\\lib\\main.jar;lib/a.jar", s.classPath);
  EXPECT_EQ(folder / L"app\\splash.png", s.splashScreenFileName);
  EXPECT_EQ(AddressSpaceMegabytes(), s.memorySize);
  EXPECT_EQ(1, s.hasMemorySize);
  EXPECT_EQ((Pairs{{L"-Xss2m", L""}}), Entries(s.jvmOptions));
  EXPECT_EQ((std::vector<std::wstring>{L"-new"}), s.arguments);
  EXPECT_EQ(folder / L"runtime\\bin\\server\\jvm.dll", package->GetJVMLibraryFileName());
  EXPECT_EQ(folder / L"runtime\\bin\\server", macros.ExpandMacros(L"$JREHOME"));
  EXPECT_EQ(userFolder + L"\\packager\\jvmuserargs.cfg", package->GetUserConfigFileName());
  EXPECT_EQ(userFolder + L"\\cache", macros.ExpandMacros(L"$CACHEDIR"));
}

TEST_F(AppPackageWindowsTest, LoadsAFlatPackageConfiguration) {
  folder.Write(L"app\\package.cfg",
               "app.mainjar=main.jar\napp.mainclass=Main\napp.identifier=" + Narrow(name) +
                   "\njvmarg.1=-Dflat=1\njvmuserarg.1.name=-Xmx\njvmuserarg.1.value=256m\narg.1=-sign\n");
  std::unique_ptr<AppPackage> package = Load();
  EXPECT_EQ(L"Main", package->settings->mainClassName);
  EXPECT_EQ((Pairs{{L"-Dflat", L"1"}}), Entries(package->settings->jvmOptions));
  EXPECT_EQ((Pairs{{L"-Xmx", L"256m"}}), Entries(package->userJvmOptions));
  EXPECT_EQ((std::vector<std::wstring>{L"-sign"}), package->settings->arguments);
}

TEST_F(AppPackageWindowsTest, WithoutConfigurationTheMainJarIsTheAppFolder) {
  std::unique_ptr<AppPackage> package = Load();
  EXPECT_EQ(folder / L"app\\", package->settings->classPath);
  EXPECT_EQ(L"", package->settings->mainClassName);
  EXPECT_EQ(AppCDSMode::Off, platform.GetAppCDSMode());
}

TEST_F(AppPackageWindowsTest, UserFileOverridesTheDefaults) {
  WriteIniConfig("quendra3.cfg", "", "[JVMUserOptions]\n-Xmx=512m\n-Dmode=a\n");
  ASSERT_TRUE(CreateDirectoryPath(userFolder + L"\\packager"));
  ASSERT_TRUE(WriteTextLines(userFolder + L"\\packager\\jvmuserargs.cfg",
                             {L"[JVMUserOverrideOptions]", L"-Xmx=1g", L"-Dextra=1"}, true));
  ASSERT_TRUE(preferences.SetOption(L"-Xmx", L"3g"));
  std::unique_ptr<AppPackage> package = Load();
  EXPECT_EQ((Pairs{{L"-Xmx", L"1g"}, {L"-Dmode", L"a"}, {L"-Dextra", L"1"}}), Entries(package->userJvmOptions));
}

// With no user file the preferences in the registry are the overrides; the first
// change then creates the file from the values it is given.
TEST_F(AppPackageWindowsTest, RegistryPreferencesStandInForAMissingUserFile) {
  WriteIniConfig("quendra3.cfg", "", "[JVMUserOptions]\n-Xmx=512m\n-Dmode=a\n");
  ASSERT_TRUE(preferences.SetOption(L"-Xmx", L"2g"));
  std::unique_ptr<AppPackage> package = Load();
  EXPECT_EQ((Pairs{{L"-Xmx", L"2g"}, {L"-Dmode", L"a"}}), Entries(package->userJvmOptions));

  OrderedTable values;
  values.Append(L"-Xmx", L"512m");
  values.Append(L"-Dmode", L"b");
  package->SetUserJvmOptionOverrides(values);
  EXPECT_EQ((std::vector<std::wstring>{L"[JVMUserOverrideOptions]", L"-Dmode=b"}),
            ReadTextLines(userFolder + L"\\packager\\jvmuserargs.cfg"));
  EXPECT_EQ((Pairs{{L"-Xmx", L"512m"}, {L"-Dmode", L"b"}}), Entries(Load()->userJvmOptions));
}

// An unusable user file still counts as the user's store: the registry is not
// asked, and a missing registry node gives no overrides either.
TEST_F(AppPackageWindowsTest, FailurePathsGiveNoOverrides) {
  WriteIniConfig("quendra3.cfg", "", "[JVMUserOptions]\n-Xmx=512m\n");
  std::unique_ptr<AppPackage> nothing = Load();
  EXPECT_EQ(0u, nothing->userJvmOptionOverrides.Count());

  ASSERT_TRUE(preferences.SetOption(L"-Xmx", L"2g"));
  ASSERT_TRUE(WriteTextLines(userFolder + L"\\packager\\jvmuserargs.cfg", {L"-Xmx=1g"}, true));
  std::unique_ptr<AppPackage> malformed = Load();
  EXPECT_EQ(0u, malformed->userJvmOptionOverrides.Count());
  EXPECT_EQ((Pairs{{L"-Xmx", L"512m"}}), Entries(malformed->userJvmOptions));
}

// A replacement that cannot be made (the file is held open without sharing) must
// leave the user's previous settings whole, and no temporary file behind.
TEST_F(AppPackageWindowsTest, FailedWriteKeepsTheOldUserFile) {
  WriteIniConfig("quendra3.cfg", "", "[JVMUserOptions]\n-Xmx=512m\n");
  std::wstring userFile = userFolder + L"\\packager\\jvmuserargs.cfg";
  ASSERT_TRUE(WriteTextLines(userFile, {L"[JVMUserOverrideOptions]", L"-Xmx=1g", L"-Dextra=1"}, true));
  std::unique_ptr<AppPackage> package = Load();
  OrderedTable values;
  values.Append(L"-Xmx", L"4g");
  {
    UniqueFileHandle holder(CreateFileW(userFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());
    package->SetUserJvmOptionOverrides(values);
  }
  EXPECT_EQ((std::vector<std::wstring>{L"[JVMUserOverrideOptions]", L"-Xmx=1g", L"-Dextra=1"}),
            ReadTextLines(userFile));
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(userFolder + L"\\packager"))) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(1u, files);
  package->SetUserJvmOptionOverrides(values);
  EXPECT_EQ((std::vector<std::wstring>{L"[JVMUserOverrideOptions]", L"-Xmx=4g"}), ReadTextLines(userFile));
}

TEST_F(AppPackageWindowsTest, CacheLivesInTheRoamingApplicationFolder) {
  WriteIniConfig("quendra3.cfg", "app.appcds.cache=auto\n",
                 "[AppCDSJVMOptions]\n-Xshare:auto\n-XX:SharedArchiveFile=$CACHEDIR/app.jsa\n");
  std::unique_ptr<AppPackage> package = Load();
  macros.Initialize(*package);
  EXPECT_EQ(AppCDSMode::Auto, platform.GetAppCDSMode());
  EXPECT_EQ(userFolder + L"\\cache\\app.jsa", package->GetAppCDSCacheFileName());

  platform.SetAppCDSMode(AppCDSMode::GenerateCache);
  package->Reload();
  PrepareAppCDSCacheGeneration(*package);
  EXPECT_TRUE(DirectoryExists(userFolder + L"\\cache"));
  ASSERT_TRUE(WriteTextLines(userFolder + L"\\cache\\app.jsa", {L"archive"}, false));
  PrepareAppCDSCacheGeneration(*package);
  EXPECT_FALSE(FileExists(userFolder + L"\\cache\\app.jsa"));
}

}  // namespace
