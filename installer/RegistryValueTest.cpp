#include "RegistryValue.h"

#include <gtest/gtest.h>

#include "fixtures/MailTestSupport.h"

namespace {

const wchar_t kKey[] = L"Software\\Values";

void SetChars(const wchar_t* name, DWORD type, const std::wstring& chars) {
  SetRaw(HKEY_CURRENT_USER, kKey, name, type, chars.data(),
         static_cast<DWORD>(chars.size() * sizeof(wchar_t)));
}

TEST(RegistryValueTest, BoundedReadsNeedRoomForTheirTerminator) {
  struct Case {
    std::wstring stored;  // exactly the characters written, terminators included
    size_t bufferChars;
    const wchar_t* expected;  // null: reads as absent
  };
  const Case kCases[] = {
      {std::wstring(L"abc\0", 4), 4, L"abc"},
      {L"abc", 4, L"abc"},
      {L"abcd", 4, nullptr},
      {std::wstring(L"abcd\0", 5), 4, nullptr},
      {L"", 4, L""},
  };
  ScratchRegistry registry;
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.stored.size() << " in " << c.bufferChars);
    SetChars(L"text", REG_SZ, c.stored);
    const UniqueRegistryKey key = OpenKeyForReading(HKEY_CURRENT_USER, kKey);
    const std::optional<RegistryValue> value = ReadBounded(key.get(), L"text", c.bufferChars);
    ASSERT_EQ(c.expected != nullptr, value.has_value());
    if (value) {
      EXPECT_EQ(c.expected, ValueText(*value));
      EXPECT_EQ(static_cast<DWORD>(REG_SZ), value->type);
    }
  }
}

TEST(RegistryValueTest, MultiStringsEndAtTheirEmptyStringOrTheEndOfTheData) {
  struct Case {
    std::wstring stored;
    std::vector<std::wstring> expected;
  };
  const Case kCases[] = {
      {std::wstring(L"Software\\App\0Lang\0\0", 19), {L"Software\\App", L"Lang"}},
      {std::wstring(L"Software\\App\0Lang", 17), {L"Software\\App", L"Lang"}},
      {std::wstring(L"a\0\0b\0\0", 6), {L"a"}},
      {std::wstring(L"\0", 1), {}},
  };
  ScratchRegistry registry;
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.stored.size());
    SetChars(L"list", REG_MULTI_SZ, c.stored);
    const UniqueRegistryKey key = OpenKeyForReading(HKEY_CURRENT_USER, kKey);
    const std::optional<RegistryValue> value = ReadBounded(key.get(), L"list", 64);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(c.expected, ValueStrings(*value));
  }
}

TEST(RegistryValueTest, DwordsMustHaveTheirType) {
  ScratchRegistry registry;
  const DWORD number = 7;
  SetRaw(HKEY_CURRENT_USER, kKey, L"number", REG_DWORD, &number, sizeof(number));
  SetRaw(HKEY_CURRENT_USER, kKey, L"binary", REG_BINARY, &number, sizeof(number));
  SetChars(L"text", REG_SZ, L"7");
  const UniqueRegistryKey key = OpenKeyForReading(HKEY_CURRENT_USER, kKey);
  EXPECT_EQ(std::optional<DWORD>(7), ReadDword(key.get(), L"number"));
  EXPECT_EQ(std::nullopt, ReadDword(key.get(), L"binary"));
  EXPECT_EQ(std::nullopt, ReadDword(key.get(), L"text"));
  EXPECT_EQ(std::nullopt, ReadDword(key.get(), L"missing"));
  EXPECT_EQ(std::nullopt, ReadDword(nullptr, L"number"));
}

}  // namespace
