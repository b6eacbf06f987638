// The JNI wrappers against the real JVM: what they find, what they report, and that
// no Java exception is left behind after a reported failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JavaTestEnvironment.h"
#include "config/OrderedTable.h"
#include "jvm/Exception.h"
#include "jvm/JniClass.h"
#include "jvm/JniStringArray.h"

namespace {

const wchar_t kMainSignature[] = L"([Ljava/lang/String;)V";

std::u16string JavaText(JNIEnv* env, jstring text) {
  const jchar* chars = env->GetStringChars(text, nullptr);
  std::u16string units(reinterpret_cast<const char16_t*>(chars), static_cast<size_t>(env->GetStringLength(text)));
  env->ReleaseStringChars(text, chars);
  return units;
}

std::vector<std::u16string> JavaTexts(JNIEnv* env, jobjectArray array) {
  std::vector<std::u16string> texts;
  for (jsize i = 0; i < env->GetArrayLength(array); ++i) {
    jstring element = static_cast<jstring>(env->GetObjectArrayElement(array, i));
    texts.push_back(JavaText(env, element));
    env->DeleteLocalRef(element);
  }
  return texts;
}

// The message of the JavaException the call throws; fails when it throws none.
template <typename Call>
std::wstring FailureOf(Call call) {
  try {
    call();
  } catch (const JavaException& failure) {
    return failure.message;
  }
  ADD_FAILURE() << "no JavaException";
  return {};
}

TEST(JniWrappersTest, LookupFailuresReportTheNamesAndLeaveNothingPending) {
  JNIEnv* env = javatest::Env();
  struct Case {
    const wchar_t* className;
    const wchar_t* method;
    const wchar_t* message;
  };
  const Case kCases[] = {
      {L"quendra.test.RecordingMain", kMainSignature, L"Class quendra.test.RecordingMain not found."},
      {L"quendra/test/Absent", kMainSignature, L"Class quendra/test/Absent not found."},
      {L"quendra/test/OtherSignatureMain", kMainSignature, L"No method main in class quendra/test/OtherSignatureMain."},
      {L"quendra/test/RecordingMain", L"(Ljava/lang/String;)V", L"No method main in class quendra/test/RecordingMain."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.message);
    EXPECT_EQ(c.message, FailureOf([&] { JniClass(env, c.className).FindStaticMethod(L"main", c.method); }));
    EXPECT_FALSE(env->ExceptionCheck());
  }
}

TEST(JniWrappersTest, MainReceivesTheArgumentsInOrderAndIntact) {
  JNIEnv* env = javatest::Env();
  // Latvian, Cyrillic, a supplementary character and an embedded NUL.
  const std::vector<std::wstring> arguments = {L"-sign", L"Rīga ķēķis", L"Москва", L"a\U0001F600b",
                                               std::wstring(L"x\0y", 3), L""};
  JniClass mainClass(env, L"quendra/test/RecordingMain");
  JniStaticMethod main = mainClass.FindStaticMethod(L"main", kMainSignature);
  JniStringArray array(env, arguments);
  main.InvokeVoid(1, array.GetArrayRef());
  EXPECT_FALSE(env->ExceptionCheck());

  jfieldID field = env->GetStaticFieldID(mainClass.GetClassRef(), "lastArguments", "[Ljava/lang/String;");
  jobjectArray received = static_cast<jobjectArray>(env->GetStaticObjectField(mainClass.GetClassRef(), field));
  std::vector<std::u16string> expected = {u"-sign", u"Rīga ķēķis", u"Москва", u"a\U0001F600b",
                                          std::u16string(u"x\0y", 3), u""};
  EXPECT_EQ(expected, JavaTexts(env, received));
  env->DeleteLocalRef(received);
  env->DeleteLocalRef(array.GetArrayRef());
}

TEST(JniWrappersTest, ExceptionLeftByMainIsReportedAndCleared) {
  JNIEnv* env = javatest::Env();
  JniClass mainClass(env, L"quendra/test/ThrowingMain");
  JniStaticMethod main = mainClass.FindStaticMethod(L"main", kMainSignature);
  JniStringArray array(env, {});
  EXPECT_EQ(L"Error invoking method.", FailureOf([&] { main.InvokeVoid(1, array.GetArrayRef()); }));
  EXPECT_FALSE(env->ExceptionCheck());
  env->DeleteLocalRef(array.GetArrayRef());
}

TEST(JniWrappersTest, KeysBecomeAnArrayOfEveryEntry) {
  JNIEnv* env = javatest::Env();
  OrderedTable empty;
  jobjectArray none = KeysToJavaArray(env, empty);
  ASSERT_NE(nullptr, none);
  EXPECT_EQ(0, env->GetArrayLength(none));
  env->DeleteLocalRef(none);

  OrderedTable table;
  table.Append(L"b", L"1");
  table.Append(L"a", L"2");
  table.Append(L"b", L"3");
  jobjectArray keys = KeysToJavaArray(env, table);
  EXPECT_EQ((std::vector<std::u16string>{u"b", u"a", u"b"}), JavaTexts(env, keys));
  env->DeleteLocalRef(keys);
}

TEST(JniWrappersTest, ReleaseLeavesAPendingExceptionPending) {
  JNIEnv* env = javatest::Env();
  JniClass errorClass(env, L"java/lang/IllegalStateException");
  ASSERT_EQ(0, env->ThrowNew(errorClass.GetClassRef(), "pending"));
  EXPECT_NO_THROW(errorClass.Release());
  EXPECT_EQ(nullptr, errorClass.GetClassRef());
  EXPECT_TRUE(env->ExceptionCheck());
  env->ExceptionClear();
}

}  // namespace
