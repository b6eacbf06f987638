#include "platform/PlatformString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Latvian and Cyrillic letters, and U+1F58B beyond the basic plane, written without
// depending on the width of wchar_t.
std::wstring Supplementary() {
  if (sizeof(wchar_t) == 2) return std::wstring{wchar_t(0xD83D), wchar_t(0xDD8B)};
  return std::wstring(1, wchar_t(0x1F58B));
}

const std::wstring kLatvian = L"J\u0101nis \u0161\u0137\u0113rsti\u0146\u0161";
const std::wstring kRussian = L"\u041D\u0430\u0442\u0430\u043B\u044C\u044F";

TEST(PlatformStringTest, WideTextRoundTripsThroughUtf8) {
  const std::wstring kTexts[] = {L"", L"-Xmx512m", kLatvian, kRussian, L"a" + Supplementary() + L"b"};
  for (const std::wstring& text : kTexts) {
    SCOPED_TRACE(testing::PrintToString(text));
    PlatformString converted(text);
    ASSERT_NE(nullptr, converted.c_str());
    EXPECT_EQ(std::string(converted.c_str()).size() + 1, converted.length());
    EXPECT_EQ(text, converted.toWString());
  }
}

TEST(PlatformStringTest, NarrowFormIsUtf8) {
  EXPECT_EQ("J\xC4\x81nis", PlatformString::WideStringToMultibyteString(L"J\u0101nis"));
  EXPECT_EQ("\xF0\x9F\x96\x8B", PlatformString::WideStringToMultibyteString(Supplementary()));
  EXPECT_EQ(kRussian, PlatformString::MultibyteStringToWideString(
                          "\xD0\x9D\xD0\xB0\xD1\x82\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x8F"));
}

TEST(PlatformStringTest, NumbersAreDecimalDigits) {
  struct Case {
    uint32_t number;
    const char* digits;
  };
  const Case kCases[] = {{0, "0"}, {7, "7"}, {256, "256"}, {4294967295u, "4294967295"}};
  for (const Case& c : kCases) {
    PlatformString number(c.number);
    EXPECT_STREQ(c.digits, number.c_str());
    EXPECT_EQ(std::string(c.digits).size(), number.length());
    EXPECT_EQ(PlatformString::MultibyteStringToWideString(c.digits), number.toWString());
  }
}

TEST(PlatformStringTest, EmptyStringHasNoNarrowForm) {
  PlatformString none;
  EXPECT_EQ(nullptr, none.c_str());
  EXPECT_EQ(0u, none.length());
  EXPECT_EQ(nullptr, none.toWideString());
  EXPECT_EQ(L"", none.toWString());
}

TEST(PlatformStringTest, FormatReplacesPlaceholdersFromTheLeft) {
  EXPECT_EQ(L"Error: Unable to create process C:\\Program Files\\q.exe",
            PlatformString::Format(L"Error: Unable to create process %s", L"C:\\Program Files\\q.exe"));
  EXPECT_EQ(L"No method main in class com/x/App.",
            PlatformString::Format(L"No method %s in class %s.", L"main", L"com/x/App"));
  EXPECT_EQ(L"no placeholder", PlatformString::Format(L"no placeholder", L"x"));
  EXPECT_EQ(L"%", PlatformString::Format(L"%", L"x"));
  EXPECT_EQ(L"%s left", PlatformString::Format(L"%s left"));
  // The search starts again at the beginning, so a placeholder brought in by an
  // argument takes the next argument.
  EXPECT_EQ(L"a-b-", PlatformString::Format(L"%s-", L"a-%s", L"b"));
}

TEST(PlatformStringTest, ModifiedUtf8IsWhatTheVirtualMachineSpeaks) {
  std::wstring withNul = std::wstring(L"a") + L'\0' + L"b";
  EXPECT_EQ(std::string("a\xC0\x80" "b"), PlatformString::WideStringToModifiedUtf8(withNul));
  EXPECT_EQ(std::string("\xED\xA0\xBD\xED\xB6\x8B"), PlatformString::WideStringToModifiedUtf8(Supplementary()));
  EXPECT_EQ(std::string("\xC4\x81"), PlatformString::WideStringToModifiedUtf8(L"\u0101"));

  const std::wstring kTexts[] = {L"", kLatvian, kRussian, Supplementary() + L"x", withNul};
  for (const std::wstring& text : kTexts) {
    SCOPED_TRACE(testing::PrintToString(text));
    std::string bytes = PlatformString::WideStringToModifiedUtf8(text);
    EXPECT_EQ(std::string::npos, bytes.find('\0'));
    EXPECT_EQ(text, PlatformString::ModifiedUtf8ToWideString(bytes.data(), bytes.size()));
  }
}

TEST(PlatformStringTest, MalformedModifiedUtf8BecomesReplacementCharacters) {
  const char kTruncated[] = "ok\xE0\x80";
  std::wstring decoded = PlatformString::ModifiedUtf8ToWideString(kTruncated, 4);
  ASSERT_GE(decoded.size(), 3u);
  EXPECT_EQ(L"ok", decoded.substr(0, 2));
  EXPECT_EQ(wchar_t(0xFFFD), decoded[2]);
}

}  // namespace
