#include "launch/StartLauncher.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Platform.h"

namespace {

struct FlagCase {
  std::vector<const wchar_t*> arguments;
  AppCDSMode mode;
  bool childStartAllowed;
};

TEST(StartLauncherTest, LauncherFlagsAreWholeCaseSensitiveArguments) {
  const FlagCase kCases[] = {
      {{L"quendra3.exe"}, AppCDSMode::Undetermined, true},
      {{L"quendra3.exe", L"-Xappcds:off"}, AppCDSMode::Off, true},
      {{L"quendra3.exe", L"-Xappcds:generatecache", L"-Xapp:child"}, AppCDSMode::GenerateCache, false},
      {{L"quendra3.exe", L"-Xappcds:off", L"-Xappcds:generatecache"}, AppCDSMode::GenerateCache, true},
      {{L"quendra3.exe", L"-Xappcds:generatecache", L"-Xappcds:off"}, AppCDSMode::Off, true},
      {{L"-Xapp:child"}, AppCDSMode::Undetermined, false},
      {{L"quendra3.exe", L"-XAPPCDS:OFF", L"-Xappcds:off ", L"-Xapp:child2", L"-Xappcds"},
       AppCDSMode::Undetermined, true},
  };
  Platform& platform = Platform::GetInstance();
  for (const FlagCase& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::vector<std::wstring>(c.arguments.begin(), c.arguments.end())));
    platform.SetAppCDSMode(AppCDSMode::Undetermined);
    bool allowed = ReadLauncherFlags(platform, static_cast<int>(c.arguments.size()), c.arguments.data());
    EXPECT_EQ(c.mode, platform.GetAppCDSMode());
    EXPECT_EQ(c.childStartAllowed, allowed);
  }
  platform.SetAppCDSMode(AppCDSMode::Undetermined);
}

TEST(StartLauncherTest, NoArgumentsChangeNothing) {
  Platform& platform = Platform::GetInstance();
  platform.SetAppCDSMode(AppCDSMode::On);
  EXPECT_TRUE(ReadLauncherFlags(platform, 0, nullptr));
  EXPECT_EQ(AppCDSMode::On, platform.GetAppCDSMode());
  platform.SetAppCDSMode(AppCDSMode::Undetermined);
}

}  // namespace
