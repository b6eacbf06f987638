#include "platform/RuntimeDependencies.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

// The names are checked against the regular expression itself as well, so that the
// hand-made matcher keeps the exact meaning of the case-insensitive ECMAScript
// search, line terminators included.
TEST(RuntimeDependenciesTest, CRuntimeNamesAreTheMatchesOfTheExpression) {
  struct Case {
    std::wstring name;
    bool matches;
  };
  const Case kCases[] = {
      {L"msvcr100.dll", true},
      {L"MSVCR.DLL", true},
      {L"msvcrt.dll", true},
      {L"MsVcR120.DlL", true},
      {L"MSVCR..DLL", true},
      {L"x-msvcr100.dll.mui", true},
      {L"msvcr100.dll\n", true},
      {L"MSVCR\u00e4.DLL", true},
      {L"MSVCR\tX.DLL", true},
      {std::wstring(L"MSVCR\0.DLL", 10), true},
      {L"MSVCR\n MSVCR1.DLL", true},
      {L"MSVCRDLL", false},
      {L"MSVCR.DL", false},
      {L"MSVCR", false},
      {L"", false},
      {L"DLL.MSVCR", false},
      {L"MSVCP140.dll", false},
      {L"VCRUNTIME140.dll", false},
      {L"api-ms-win-crt-runtime-l1-1-0.dll", false},
      {L"MSVCR\n.DLL", false},
      {L"MSVCR1\r.DLL", false},
      {L"MSVCR1\u2028.DLL", false},
      {L"MSVCR1\u2029.DLL", false},
      {L"\uFF2DSVCR1.DLL", false},
      {L"MSVCR1.D\u0130L", false},
  };
  const std::wregex expression(L"MSVCR.*.DLL", std::regex_constants::ECMAScript | std::regex_constants::icase);
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(c.name));
    EXPECT_EQ(c.matches, IsCRuntimeName(c.name));
    EXPECT_EQ(c.matches, std::regex_search(c.name, expression));
  }
}

}  // namespace
