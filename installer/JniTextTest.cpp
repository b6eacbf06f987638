#include "JniText.h"

#include <gtest/gtest.h>

#include "fixtures/FakeJniEnv.h"

namespace {

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
    std::wstring copy = L"left over";
    EXPECT_TRUE(JniStringToWide(jni.Env(), jni.NewString(c.java), copy));
    EXPECT_EQ(c.expected, copy);
    EXPECT_EQ(0, jni.PinnedCharacters());
    EXPECT_FALSE(jni.MisusedReference());
  }
}

TEST(JniTextTest, NullStringIsEmpty) {
  FakeJniEnv jni;
  std::wstring copy = L"left over";
  EXPECT_TRUE(JniStringToWide(jni.Env(), nullptr, copy));
  EXPECT_EQ(L"", copy);
}

TEST(JniTextTest, ArraysKeepOrderTurnNullElementsEmptyAndReleaseEachElement) {
  FakeJniEnv jni;
  jobjectArray array = jni.NewStringArray(
      {u"a.pdf", std::nullopt, std::u16string(u"b\0c", 3), u"", u"\u0101.edoc"});
  const std::vector<std::wstring> expected = {L"a.pdf", L"", L"b", L"", L"\u0101.edoc"};
  std::vector<std::wstring> list;
  EXPECT_TRUE(JniStringArrayToList(jni.Env(), array, list));
  EXPECT_EQ(expected, list);
  EXPECT_EQ(0, jni.LiveLocalReferences());
  EXPECT_EQ(0, jni.PinnedCharacters());
  EXPECT_FALSE(jni.ExceptionPending());
  EXPECT_FALSE(jni.MisusedReference());
}

TEST(JniTextTest, NullAndEmptyArraysAreEmptyLists) {
  FakeJniEnv jni;
  for (jobjectArray array : {jobjectArray(nullptr), jni.NewStringArray({})}) {
    std::vector<std::wstring> list = {L"left over"};
    EXPECT_TRUE(JniStringArrayToList(jni.Env(), array, list));
    EXPECT_TRUE(list.empty());
  }
}

// The VM may be unable to hand out the characters, with or without an exception.
TEST(JniTextTest, StringThatCannotBeCopiedStopsTheCopyWithoutAnotherForbiddenCall) {
  using Copy = bool (*)(FakeJniEnv& jni);
  const Copy kCopies[] = {
      [](FakeJniEnv& jni) {
        std::wstring copy;
        return JniStringToWide(jni.Env(), jni.NewString(u"big"), copy);
      },
      [](FakeJniEnv& jni) {
        std::vector<std::wstring> list;
        return JniStringArrayToList(jni.Env(), jni.NewStringArray({u"a", u"big", u"c"}), list);
      },
  };
  for (FakeJniEnv::CopyFault fault :
       {FakeJniEnv::CopyFault::kOutOfMemory, FakeJniEnv::CopyFault::kNullWithoutException}) {
    for (Copy copy : kCopies) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(fault) << (copy == kCopies[0]));
      FakeJniEnv jni;
      jni.FailCopiesOf(u"big", fault);
      EXPECT_FALSE(copy(jni));
      EXPECT_EQ(std::vector<std::string>(), jni.ForbiddenCalls());
      EXPECT_EQ(0, jni.PinnedCharacters());
      EXPECT_EQ(0, jni.LiveLocalReferences());
      EXPECT_FALSE(jni.MisusedReference());
    }
  }
}

}  // namespace
