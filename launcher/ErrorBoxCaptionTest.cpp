#include "ErrorBoxCaption.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ErrorBoxCaptionTest, FileNameAfterTheLastBackslashOfTheCutPath) {
  const std::wstring kFolder = L"C:\\" + std::wstring(250, L'f') + L"\\";
  struct Case {
    std::wstring path;
    std::wstring caption;
  };
  const Case kCases[] = {
      {L"C:\\Program Files\\Quendra\\quendra3.exe", L"quendra3.exe"},
      {L"quendra3.exe", L"quendra3.exe"},
      {L"C:/Program Files/quendra3.exe", L"C:/Program Files/quendra3.exe"},
      {L"\\\\server\\share\\J\u0101nis\\\u041D\u0430\u0442\u0430\u043B\u044C\u044F.exe",
       L"\u041D\u0430\u0442\u0430\u043B\u044C\u044F.exe"},
      {L"C:\\folder\\", L""},
      {L"", L""},
      // 254 characters of folder leave five for the name: the rest is cut away.
      {kFolder + L"quendra3.exe", L"quend"},
      {kFolder + L"abcde", L"abcde"},
      // Past the cut the last backslash no longer counts.
      {kFolder + L"abcde\\quendra3.exe", L"abcde"},
      {std::wstring(300, L'x'), std::wstring(259, L'x')},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "path of " << c.path.size() << " characters");
    EXPECT_EQ(c.caption, ErrorBoxCaption(c.path));
  }
}

}  // namespace
