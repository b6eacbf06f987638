#include "jvm/WindowsJavaUserPreferences.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "jvm/ScratchPreferences.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

Pairs Entries(const OrderedTable& table) {
  Pairs pairs;
  for (const auto& entry : table) pairs.emplace_back(entry.key, entry.value);
  return pairs;
}

std::wstring TestAppId(const wchar_t* name) {
  return L"com.Quendra.test." + std::to_wstring(GetCurrentProcessId()) + L"." + name;
}

// Dots stay dots in the key path: the node of com.Quendra... is one key, not many.
TEST(WindowsJavaUserPreferencesTest, ReadsTheDecodedOptionsOfTheApplication) {
  ScratchPreferences registry(TestAppId(L"read"));
  ASSERT_TRUE(registry.SetRaw(L"-/Xmx", L"512m"));
  ASSERT_TRUE(registry.SetOption(L"-Dfile.encoding", L"UTF-8"));
  ASSERT_TRUE(registry.SetOption(L"-Dpath", L"C:\\data/x"));
  WindowsJavaUserPreferences preferences;
  ASSERT_TRUE(preferences.LoadOptions(registry.appId));
  Pairs options = Entries(preferences.userOptions);
  std::sort(options.begin(), options.end());
  EXPECT_EQ((Pairs{{L"-Dfile.encoding", L"UTF-8"}, {L"-Dpath", L"C:\\data/x"}, {L"-Xmx", L"512m"}}), options);
}

TEST(WindowsJavaUserPreferencesTest, MissingNodeLeavesTheOptionsAlone) {
  ScratchPreferences registry(TestAppId(L"missing"));
  WindowsJavaUserPreferences preferences;
  preferences.userOptions.Append(L"-Xmx", L"1g");
  EXPECT_FALSE(preferences.LoadOptions(registry.appId));
  EXPECT_EQ((Pairs{{L"-Xmx", L"1g"}}), Entries(preferences.userOptions));
}

// The default value has an empty name and "/x" decodes to nothing: neither is an
// option, so the load reads nothing and leaves an empty table.
TEST(WindowsJavaUserPreferencesTest, NamesThatDecodeToNothingAreSkipped) {
  ScratchPreferences registry(TestAppId(L"empty"));
  ASSERT_TRUE(registry.SetRaw(L"", L"default"));
  ASSERT_TRUE(registry.SetRaw(L"/x", L"1"));
  WindowsJavaUserPreferences preferences;
  preferences.userOptions.Append(L"-Xmx", L"1g");
  EXPECT_FALSE(preferences.LoadOptions(registry.appId));
  EXPECT_EQ(0u, preferences.userOptions.Count());

  ASSERT_TRUE(registry.SetRaw(L"-/Xss", L"2m"));
  ASSERT_TRUE(preferences.LoadOptions(registry.appId));
  EXPECT_EQ((Pairs{{L"-Xss", L"2m"}}), Entries(preferences.userOptions));
}

}  // namespace
