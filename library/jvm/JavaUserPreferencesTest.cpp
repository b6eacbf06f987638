#include "jvm/JavaUserPreferences.h"

#include <gtest/gtest.h>

namespace {

TEST(JavaUserPreferencesTest, NamesEncodeAndDecode) {
  struct Case {
    std::wstring name;
    std::wstring encoded;
  };
  const Case kCases[] = {
      {L"a/B\\c", L"a\\/B//c"},
      {L"com.Example.app", L"com./Example.app"},
      {L"-Xmx", L"-/Xmx"},
      {L"JVMUserOptions", L"/J/V/M/User/Options"},
      {L"-Dfile.encoding=UTF-8", L"-/Dfile.encoding=/U/T/F-8"},
      {L"\x0101\x0436", L"\x0101\x0436"},
      {L"", L""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.name);
    EXPECT_EQ(c.encoded, EncodePrefsName(c.name));
    EXPECT_EQ(c.name, DecodePrefsName(c.encoded));
  }
  EXPECT_EQ(L"ab", EncodePrefsName(std::wstring(L"ab\0Cd", 5)));
}

TEST(JavaUserPreferencesTest, DecodingDropsStraySlashes) {
  struct Case {
    std::wstring encoded;
    std::wstring decoded;
  };
  const Case kCases[] = {
      {L"/x", L""},
      {L"/Xy", L"Xy"},
      {L"ab/", L"ab"},
      {L"/", L""},
      {L"a/\\b", L"ab"},
      {L"///X", L"\\X"},
      {L"a\\\\b", L"a//b"},
      {std::wstring(L"a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.encoded);
    EXPECT_EQ(c.decoded, DecodePrefsName(c.encoded));
  }
}

}  // namespace
