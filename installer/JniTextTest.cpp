#include "JniText.h"

#include <gtest/gtest.h>

#include "FakeJniEnv.h"

namespace pennaroo {
namespace {

using test::FakeJniEnv;

TEST(JniTextTest, StringsAreCopiedUpToTheFirstNulAndReleased) {
  struct Case {
    std::u16string java;
    std::wstring expected;
  };
  const Case kCases[] = {
      {u"C:\\Program Files\\setup.exe", L"C:\\Program Files\\setup.exe"},
      {u"", L""},
      {std::u16string(u"before\0after", 12), L"before"},
      {std::u16string(u"\0hidden", 7), L""},
      {u"R\u012Bga \u0416 \U0001F600", L"R\u012Bga \u0416 \U0001F600"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.expected.size());
    FakeJniEnv jni;
    EXPECT_EQ(c.expected, JniStringToWide(jni.Env(), jni.NewString(c.java)));
    EXPECT_EQ(0, jni.PinnedCharacters());
    EXPECT_FALSE(jni.MisusedReference());
  }
}

TEST(JniTextTest, NullStringIsEmpty) {
  FakeJniEnv jni;
  EXPECT_EQ(L"", JniStringToWide(jni.Env(), nullptr));
}

TEST(JniTextTest, ArraysKeepOrderTurnNullElementsEmptyAndReleaseEachElement) {
  FakeJniEnv jni;
  jobjectArray array = jni.NewStringArray(
      {u"a.pdf", std::nullopt, std::u16string(u"b\0c", 3), u"", u"\u0101.edoc"});
  const std::vector<std::wstring> expected = {L"a.pdf", L"", L"b", L"", L"\u0101.edoc"};
  EXPECT_EQ(expected, JniStringArrayToList(jni.Env(), array));
  EXPECT_EQ(0, jni.LiveLocalReferences());
  EXPECT_EQ(0, jni.PinnedCharacters());
  EXPECT_FALSE(jni.ExceptionPending());
  EXPECT_FALSE(jni.MisusedReference());
}

TEST(JniTextTest, NullAndEmptyArraysAreEmptyLists) {
  FakeJniEnv jni;
  EXPECT_TRUE(JniStringArrayToList(jni.Env(), nullptr).empty());
  EXPECT_TRUE(JniStringArrayToList(jni.Env(), jni.NewStringArray({})).empty());
}

}  // namespace
}  // namespace pennaroo
