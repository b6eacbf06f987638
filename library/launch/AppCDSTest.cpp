#include "launch/AppCDS.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/IniFile.h"
#include "jvm/Exception.h"
#include "launch/PackageSettings.h"
#include "launch/PackageTestPlatform.h"

namespace {

const std::vector<std::wstring> kCacheConfig = {
    L"[Application]",
    L"app.mainjar=main.jar",
    L"[JVMOptions]",
    L"-Xplain",
    L"[AppCDSJVMOptions]",
    L"-Xshare:on",
    L"-XX:SharedArchiveFile=$CACHEDIR/app.jsa",
    L"[AppCDSGenerateCacheJVMOptions]",
    L"-Xshare:dump",
    L"-XX:SharedArchiveFile=$CACHEDIR/gen.jsa",
};

std::vector<std::wstring> Entries(const OrderedTable& table) {
  std::vector<std::wstring> entries;
  for (const auto& entry : table) entries.push_back(entry.key + L"|" + entry.value);
  return entries;
}

TEST(AppCDSTest, ModeFollowsTheFlagElseTheConfiguration) {
  struct Case {
    AppCDSMode initial;
    std::vector<std::wstring> lines;
    AppCDSMode settled;
  };
  const Case kCases[] = {
      {AppCDSMode::Undetermined, {L"[JVMOptions]", L"-Xmx1g"}, AppCDSMode::Off},
      {AppCDSMode::Undetermined, {L"[AppCDSJVMOptions]", L"-Xshare:on"}, AppCDSMode::On},
      {AppCDSMode::Undetermined, {L"[Application]", L"app.appcds.cache=auto", L"[AppCDSJVMOptions]", L"x"},
       AppCDSMode::Auto},
      // A header without entries makes no section.
      {AppCDSMode::Undetermined, {L"[AppCDSJVMOptions]", L"[JVMOptions]", L"x"}, AppCDSMode::Off},
      {AppCDSMode::Undetermined, {L"[Application]", L"app.appcds.cache=Auto", L"[AppCDSJVMOptions]", L"x"},
       AppCDSMode::On},
      {AppCDSMode::Undetermined, {L"[Application]", L"app.appcds.cache=auto ", L"[AppCDSJVMOptions]", L"x"},
       AppCDSMode::On},
      {AppCDSMode::Undetermined, {L"[Other]", L"app.appcds.cache=auto", L"[AppCDSJVMOptions]", L"x"},
       AppCDSMode::On},
      {AppCDSMode::Undetermined, {L"[Application]", L"app.appcds.cache=auto"}, AppCDSMode::Off},
      {AppCDSMode::Off, {L"[Application]", L"app.appcds.cache=auto", L"[AppCDSJVMOptions]", L"x"}, AppCDSMode::Off},
      {AppCDSMode::GenerateCache, {L"[JVMOptions]", L"x"}, AppCDSMode::GenerateCache},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - kCases));
    PackageTestPlatform platform;
    platform.SetAppCDSMode(c.initial);
    IniFile config;
    ASSERT_TRUE(config.LoadFromLines(c.lines));
    ConfigKeyTable keys = platform.GetConfigKeyTable();
    SettleAppCDSMode(platform, config, keys);
    EXPECT_EQ(c.settled, platform.GetAppCDSMode());
  }
}

TEST(AppCDSTest, ModeSelectsTheOptionSection) {
  struct Case {
    AppCDSMode mode;
    std::vector<std::wstring> options;
    const wchar_t* cacheFile;
  };
  const Case kCases[] = {
      {AppCDSMode::Off, {L"-Xplain|"}, L""},
      {AppCDSMode::On,
       {L"-Xshare:on|", L"-XX:SharedArchiveFile|$CACHEDIR/app.jsa", L"-XX:SharedArchiveFile|$CACHEDIR\\app.jsa"},
       L"$CACHEDIR\\app.jsa"},
      {AppCDSMode::Auto,
       {L"-Xshare:on|", L"-XX:SharedArchiveFile|$CACHEDIR/app.jsa", L"-XX:SharedArchiveFile|$CACHEDIR\\app.jsa"},
       L"$CACHEDIR\\app.jsa"},
      // The generating run names the archive it replaces after the section in use.
      {AppCDSMode::GenerateCache, {L"-Xshare:dump|", L"-XX:SharedArchiveFile|$CACHEDIR/gen.jsa"},
       L"$CACHEDIR\\app.jsa"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode));
    PackageTestPlatform platform;
    IniFile config;
    ASSERT_TRUE(config.LoadFromLines(kCacheConfig));
    ConfigKeyTable keys = platform.GetConfigKeyTable();
    PackageSettings settings;
    SelectJvmOptionSection(c.mode, config, keys, settings);
    EXPECT_EQ(c.options, Entries(settings.jvmOptions));
    EXPECT_EQ(c.cacheFile, settings.appCDSCacheFileName);
  }
}

TEST(AppCDSTest, SectionWithoutArchiveGivesNoOptions) {
  struct Case {
    std::vector<std::wstring> lines;
    std::vector<std::wstring> options;
  };
  const Case kCases[] = {
      {{L"[AppCDSJVMOptions]", L"-Xshare:on"}, {}},
      {{L"[AppCDSJVMOptions]", L"-Xshare:on", L"-XX:SharedArchiveFile="},
       {L"-Xshare:on|", L"-XX:SharedArchiveFile|"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.lines.back());
    for (AppCDSMode mode : {AppCDSMode::On, AppCDSMode::Auto, AppCDSMode::GenerateCache}) {
      PackageTestPlatform platform;
      IniFile config;
      ASSERT_TRUE(config.LoadFromLines(c.lines));
      ConfigKeyTable keys = platform.GetConfigKeyTable();
      PackageSettings settings;
      SelectJvmOptionSection(mode, config, keys, settings);
      if (mode != AppCDSMode::GenerateCache) {
        EXPECT_EQ(c.options, Entries(settings.jvmOptions));
      }
      EXPECT_EQ(L"", settings.appCDSCacheFileName);
    }
  }
}

TEST(AppCDSTest, UndeterminedModeIsAnInternalError) {
  PackageTestPlatform platform;
  IniFile config;
  ASSERT_TRUE(config.LoadFromLines(kCacheConfig));
  ConfigKeyTable keys = platform.GetConfigKeyTable();
  PackageSettings settings;
  try {
    SelectJvmOptionSection(AppCDSMode::Undetermined, config, keys, settings);
    ADD_FAILURE() << "no exception";
  } catch (const Exception& failure) {
    EXPECT_EQ(L"Internal Error", failure.message);
  }
}

}  // namespace
