#include "platform/GenericPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "config/ScratchFolder.h"
#include "config/TestPlatform.h"

namespace {

TEST(GenericPlatformTest, DirectoriesAndLauncherNameComeFromTheExecutablePath) {
  TestPlatform platform(L"C:\\Programs\\Tool\\tool.exe");
  EXPECT_EQ(L"C:\\Programs\\Tool\\app", platform.GetAppFilesDirectory());
  EXPECT_EQ(L"C:\\Programs\\Tool", platform.GetLauncherDirectory());

  struct Case {
    const wchar_t* executable;
    const wchar_t* name;
  };
  const Case kCases[] = {
      {L"C:\\P\\tool.exe", L"tool"},
      {L"C:\\P\\tool.beta.exe", L"tool.beta"},
      {L"C:\\P\\tool", L"tool"},
      {L"C:\\P.d\\tool", L"tool"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.executable);
    platform.executablePath = c.executable;
    EXPECT_EQ(c.name, platform.GetLauncherName());
  }
}

TEST(GenericPlatformTest, FindConfigFilePrefersTheLauncherNameOverPackageCfg) {
  struct Case {
    const wchar_t* executable;
    std::vector<const wchar_t*> files;
    const wchar_t* found;  // empty: none
  };
  const Case kCases[] = {
      {L"tool.exe", {L"app\\tool.cfg", L"app\\package.cfg"}, L"app\\tool.cfg"},
      {L"tool.exe", {L"app\\package.cfg"}, L"app\\package.cfg"},
      {L"tool.exe", {L"tool.cfg", L"app\\other.cfg"}, L""},
      {L"tool.beta.exe", {L"app\\tool.cfg", L"app\\tool.beta.cfg"}, L"app\\tool.beta.cfg"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.executable << " -> " << c.found);
    ScratchFolder scratch;
    for (const wchar_t* file : c.files) scratch.Write(file, "[Application]\n");
    TestPlatform platform(scratch / c.executable);
    std::wstring expected = *c.found ? scratch / c.found : L"";
    EXPECT_EQ(expected, platform.FindConfigFile());
  }
}

TEST(GenericPlatformTest, ConfigKeyTableIsAFreshCopyOfTheFixedNames) {
  TestPlatform platform(L"C:\\P\\tool.exe");
  const ConfigKeyTable expected = {
      {L"CONFIG_VERSION", L"app.version"},
      {L"CONFIG_MAINJAR_KEY", L"app.mainjar"},
      {L"CONFIG_MAINCLASSNAME_KEY", L"app.mainclass"},
      {L"CONFIG_CLASSPATH_KEY", L"app.classpath"},
      {L"APP_NAME_KEY", L"app.name"},
      {L"CONFIG_APP_ID_KEY", L"app.preferences.id"},
      {L"JVM_RUNTIME_KEY", L"app.runtime"},
      {L"CONFIG_APP_IDENTIFIER", L"app.identifier"},
      {L"CONFIG_APP_MEMORY", L"app.memory"},
      {L"CONFIG_SPLASH_KEY", L"app.splash"},
      {L"CONFIG_SECTION_APPLICATION", L"Application"},
      {L"CONFIG_SECTION_JVMOPTIONS", L"JVMOptions"},
      {L"CONFIG_SECTION_JVMUSEROPTIONS", L"JVMUserOptions"},
      {L"CONFIG_SECTION_JVMUSEROVERRIDESOPTIONS", L"JVMUserOverrideOptions"},
      {L"CONFIG_SECTION_APPCDSJVMOPTIONS", L"AppCDSJVMOptions"},
      {L"CONFIG_SECTION_APPCDSGENERATECACHEJVMOPTIONS", L"AppCDSGenerateCacheJVMOptions"},
      {L"CONFIG_SECTION_ARGOPTIONS", L"ArgOptions"},
  };
  ConfigKeyTable first = platform.GetConfigKeyTable();
  EXPECT_EQ(expected, first);
  EXPECT_EQ(L"", first[L"config_section_application"]);
  EXPECT_EQ(L"", first[L"NOT_LISTED"]);
  first[L"CONFIG_VERSION"] = L"changed";
  EXPECT_EQ(expected, platform.GetConfigKeyTable());
  EXPECT_EQ(expected, Platform::GetInstance().GetConfigKeyTable());
}

TEST(GenericPlatformTest, GetInstanceIsOneObjectWithOneAppCDSMode) {
  std::vector<Platform*> seen(4, nullptr);
  std::vector<std::thread> threads;
  for (Platform*& slot : seen) threads.emplace_back([&slot] { slot = &Platform::GetInstance(); });
  for (std::thread& thread : threads) thread.join();
  Platform& platform = Platform::GetInstance();
  for (Platform* other : seen) EXPECT_EQ(&platform, other);

  EXPECT_EQ(AppCDSMode::Undetermined, TestPlatform(L"x.exe").GetAppCDSMode());
  AppCDSMode saved = platform.GetAppCDSMode();
  platform.SetAppCDSMode(AppCDSMode::Auto);
  EXPECT_EQ(AppCDSMode::Auto, Platform::GetInstance().GetAppCDSMode());
  platform.SetAppCDSMode(saved);
}

}  // namespace
