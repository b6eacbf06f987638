// The five bridge functions reached from real Java code: the test class's native
// methods are bound to them, and the test calls the class's Java wrappers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "JavaTestEnvironment.h"
#include "jvm/UserJvmOptionsBridge.h"
#include "launch/AppPackage.h"

namespace {

const char kBridgeClass[] = "jdk/packager/services/userjvmoptions/LauncherUserJvmOptions";

class UserJvmOptionsBridgeTest : public testing::Test {
 protected:
  void SetUp() override {
    env = javatest::Env();
    bridge = env->FindClass(kBridgeClass);
    NothingPending();
    ASSERT_NE(nullptr, bridge);
    BindNatives();
    AppPackage& package = AppPackage::GetInstance();
    package.userConfigFileName = L"/tmp/quendra-bridge-" + std::to_wstring(getpid()) + L"/packager/jvmuserargs.cfg";
    package.userJvmOptionDefaults.Clear();
    package.userJvmOptionDefaults.Append(L"-Xmx", L"256m");
    package.userJvmOptionDefaults.Append(L"-Dcity=", L"Rīga");
    package.userJvmOptionOverrides.Clear();
    package.MergeUserJvmOptions();
  }

  void TearDown() override {
    EXPECT_FALSE(env->ExceptionCheck());
    env->DeleteLocalRef(bridge);
  }

  void BindNatives() {
    const JNINativeMethod methods[] = {
        {const_cast<char*>("_getUserJvmOptionDefaultKeys"), const_cast<char*>("()[Ljava/lang/String;"),
         reinterpret_cast<void*>(&Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultKeys)},
        {const_cast<char*>("_getUserJvmOptionDefaultValue"), const_cast<char*>("(Ljava/lang/String;)Ljava/lang/String;"),
         reinterpret_cast<void*>(&Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionDefaultValue)},
        {const_cast<char*>("_getUserJvmOptionKeys"), const_cast<char*>("()[Ljava/lang/String;"),
         reinterpret_cast<void*>(&Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionKeys)},
        {const_cast<char*>("_getUserJvmOptionValue"), const_cast<char*>("(Ljava/lang/String;)Ljava/lang/String;"),
         reinterpret_cast<void*>(&Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1getUserJvmOptionValue)},
        {const_cast<char*>("_setUserJvmKeysAndValues"), const_cast<char*>("([Ljava/lang/String;[Ljava/lang/String;)V"),
         reinterpret_cast<void*>(&Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1setUserJvmKeysAndValues)},
    };
    ASSERT_EQ(0, env->RegisterNatives(bridge, methods, 5));
  }

  // After each JNI call that may throw, as the checked VM expects.
  void NothingPending() {
    if (!env->ExceptionCheck()) return;
    env->ExceptionDescribe();
    ADD_FAILURE() << "a Java exception is pending";
  }

  jstring Java(const std::u16string& text) {
    jstring string = env->NewString(reinterpret_cast<const jchar*>(text.data()), static_cast<jsize>(text.size()));
    NothingPending();
    return string;
  }

  // A Java string's text; "<null>" for null.
  std::u16string Text(jstring text) {
    if (text == nullptr) return u"<null>";
    const jchar* chars = env->GetStringChars(text, nullptr);
    NothingPending();
    jsize length = env->GetStringLength(text);
    NothingPending();
    std::u16string units(reinterpret_cast<const char16_t*>(chars), static_cast<size_t>(length));
    env->ReleaseStringChars(text, chars);
    env->DeleteLocalRef(text);
    return units;
  }

  std::vector<std::u16string> Texts(jobjectArray array) {
    std::vector<std::u16string> texts;
    jsize length = array != nullptr ? env->GetArrayLength(array) : 0;
    NothingPending();
    for (jsize i = 0; i < length; ++i) {
      jstring element = static_cast<jstring>(env->GetObjectArrayElement(array, i));
      NothingPending();
      texts.push_back(Text(element));
    }
    if (array != nullptr) env->DeleteLocalRef(array);
    return texts;
  }

  jobjectArray Array(const std::vector<std::u16string>& texts) {
    jclass stringClass = env->FindClass("java/lang/String");
    NothingPending();
    jobjectArray array = env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
    NothingPending();
    for (size_t i = 0; i < texts.size(); ++i) {
      if (texts[i] == u"<null>") continue;
      jstring element = Java(texts[i]);
      env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
      NothingPending();
      env->DeleteLocalRef(element);
    }
    env->DeleteLocalRef(stringClass);
    return array;
  }

  std::vector<std::u16string> Keys(const char* method) {
    jmethodID id = env->GetStaticMethodID(bridge, method, "()[Ljava/lang/String;");
    NothingPending();
    jobjectArray keys = static_cast<jobjectArray>(env->CallStaticObjectMethod(bridge, id));
    NothingPending();
    return Texts(keys);
  }

  std::u16string Value(const char* method, const std::u16string& key) {
    jmethodID id = env->GetStaticMethodID(bridge, method, "(Ljava/lang/String;)Ljava/lang/String;");
    NothingPending();
    jstring javaKey = key == u"<null>" ? nullptr : Java(key);
    jstring answer = static_cast<jstring>(env->CallStaticObjectMethod(bridge, id, javaKey));
    NothingPending();
    std::u16string value = Text(answer);
    if (javaKey != nullptr) env->DeleteLocalRef(javaKey);
    return value;
  }

  void Set(const std::vector<std::u16string>& keys, const std::vector<std::u16string>& values) {
    jmethodID id = env->GetStaticMethodID(bridge, "set", "([Ljava/lang/String;[Ljava/lang/String;)V");
    NothingPending();
    jobjectArray javaKeys = Array(keys);
    jobjectArray javaValues = Array(values);
    env->CallStaticVoidMethod(bridge, id, javaKeys, javaValues);
    NothingPending();
    env->DeleteLocalRef(javaKeys);
    env->DeleteLocalRef(javaValues);
  }

  JNIEnv* env = nullptr;
  jclass bridge = nullptr;
};

TEST_F(UserJvmOptionsBridgeTest, DefaultsAndEffectiveOptionsAreAnswered) {
  EXPECT_EQ((std::vector<std::u16string>{u"-Xmx", u"-Dcity="}), Keys("defaultKeys"));
  EXPECT_EQ(u"256m", Value("defaultValue", u"-Xmx"));
  EXPECT_EQ(u"Rīga", Value("value", u"-Dcity="));
  EXPECT_EQ(u"", Value("value", u"-Dabsent"));
  EXPECT_EQ(u"<null>", Value("value", u"<null>"));
  EXPECT_EQ(u"<null>", Value("defaultValue", u"<null>"));
}

TEST_F(UserJvmOptionsBridgeTest, NewValuesRoundTripAndApplyToTheEffectiveOptions) {
  const std::u16string key = u"-Dвалюта\U0001F600";
  const std::u16string value = u"€ ķēķis \U0001F600";
  Set({u"-Xmx", key}, {u"1024m", value});
  EXPECT_EQ(u"1024m", Value("value", u"-Xmx"));
  EXPECT_EQ(value, Value("value", key));
  EXPECT_EQ((std::vector<std::u16string>{u"-Xmx", u"-Dcity=", key}), Keys("keys"));
  EXPECT_EQ(u"256m", Value("defaultValue", u"-Xmx"));
}

TEST_F(UserJvmOptionsBridgeTest, MissingValueChangesNothingAndLeavesNothingPending) {
  Set({u"-Xmx", u"-Dextra"}, {u"1024m"});
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(u"256m", Value("value", u"-Xmx"));
  EXPECT_EQ((std::vector<std::u16string>{u"-Xmx", u"-Dcity="}), Keys("keys"));
}

TEST_F(UserJvmOptionsBridgeTest, NullElementIsAnEmptyText) {
  Set({u"-Xmx", u"<null>"}, {u"<null>", u"x"});
  EXPECT_EQ(u"", Value("value", u"-Xmx"));
  EXPECT_EQ(u"x", Value("value", u""));
}

TEST_F(UserJvmOptionsBridgeTest, ConcurrentJavaThreadsAlwaysSeeWholeTables) {
  jclass driver = env->FindClass("quendra/test/ConcurrentBridge");
  NothingPending();
  ASSERT_NE(nullptr, driver);
  jmethodID run = env->GetStaticMethodID(driver, "run", "(II)I");
  NothingPending();
  EXPECT_EQ(0, env->CallStaticIntMethod(driver, run, 4, 100));
  NothingPending();
  env->DeleteLocalRef(driver);
}

}  // namespace
