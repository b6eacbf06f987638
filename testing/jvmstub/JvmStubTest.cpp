// The stand-in must hold the launcher to the real VM's rules; these runs check the
// rules themselves, through the same table a launcher gets.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <jni.h>

#include "StubRun.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

using CreateFunction = jint(JNICALL*)(JavaVM**, void**, void*);

// Each process can host one stand-in VM, as with the real one: one creation,
// shared by the tests below.
class JvmStubTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    directory = new std::wstring(stubrun::ScratchDirectory(L"jvmstub"));
    stubrun::InstallStub(*directory,
                        "classes=app/Main\nnomain=app/Plain\n"
                        "bridge=getUserJvmOptionDefaultKeys\nbridge=getUserJvmOptionKeys\n");
    HMODULE library = ::LoadLibraryW((*directory + L"\\jvm.dll").c_str());
    ASSERT_NE(nullptr, library);
    auto create = reinterpret_cast<CreateFunction>(reinterpret_cast<void*>(::GetProcAddress(library, "JNI_CreateJavaVM")));
    std::string first = "-Dname=Rīga Москва";
    std::string second = "-Xss2m";
    JavaVMOption options[] = {{&first[0], nullptr}, {&second[0], nullptr}};
    JavaVMInitArgs init{JNI_VERSION_10, 2, options, JNI_TRUE};
    void* created = nullptr;
    ASSERT_EQ(JNI_OK, create(&vm, &created, &init));
    env = static_cast<JNIEnv*>(created);
    creation = new std::vector<std::string>(stubrun::ReadRecord(*directory));
  }

  // Each test sees only what it caused itself.
  void SetUp() override { ::DeleteFileW((*directory + L"\\jvmstub.log").c_str()); }

  std::vector<std::string> Misuses() { return stubrun::Lines(stubrun::ReadRecord(*directory), "misuse "); }

  static std::wstring* directory;
  static std::vector<std::string>* creation;
  static JavaVM* vm;
  static JNIEnv* env;
};

std::wstring* JvmStubTest::directory = nullptr;
std::vector<std::string>* JvmStubTest::creation = nullptr;
JavaVM* JvmStubTest::vm = nullptr;
JNIEnv* JvmStubTest::env = nullptr;

TEST_F(JvmStubTest, RecordsTheOptionsInOrderAsReceived) {
  const std::vector<std::string>& record = *creation;
  EXPECT_THAT(stubrun::Lines(record, "option "), ElementsAre("-Dname=Rīga Москва", "-Xss2m"));
  EXPECT_THAT(stubrun::Lines(record, "create "), ElementsAre("version=0xa0000 nOptions=2 ignoreUnrecognized=1"));
}

TEST_F(JvmStubTest, MissingClassLeavesAnExceptionThatBlocksFurtherCalls) {
  EXPECT_EQ(nullptr, env->FindClass("app.Main"));
  EXPECT_TRUE(env->ExceptionCheck());
  env->FindClass("app/Main");
  EXPECT_THAT(Misuses(), ElementsAre("FindClass called with java/lang/NoClassDefFoundError pending"));
  jthrowable thrown = env->ExceptionOccurred();
  EXPECT_NE(nullptr, thrown);
  env->ExceptionClear();
  EXPECT_FALSE(env->ExceptionCheck());
  env->DeleteLocalRef(thrown);
}

TEST_F(JvmStubTest, MainExistsOnlyWithItsSignature) {
  jclass plain = env->FindClass("app/Plain");
  ASSERT_NE(nullptr, plain);
  EXPECT_EQ(nullptr, env->GetStaticMethodID(plain, "main", "([Ljava/lang/String;)V"));
  env->ExceptionClear();
  jclass app = env->FindClass("app/Main");
  EXPECT_EQ(nullptr, env->GetStaticMethodID(app, "main", "(Ljava/lang/String;)V"));
  env->ExceptionClear();
  EXPECT_NE(nullptr, env->GetStaticMethodID(app, "main", "([Ljava/lang/String;)V"));
  env->DeleteLocalRef(plain);
  env->DeleteLocalRef(app);
}

TEST_F(JvmStubTest, StringsAreModifiedUtf8) {
  // U+1F600 as two three-byte surrogates, and U+0000 as C0 80.
  jstring text = env->NewStringUTF("\xED\xA0\xBD\xED\xB8\x80\xC0\x80x");
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(4, env->GetStringLength(text));
  EXPECT_EQ(9, env->GetStringUTFLength(text));
  env->NewStringUTF("\xF0\x9F\x98\x80");
  EXPECT_THAT(Misuses(), ElementsAre(testing::StartsWith("NewStringUTF with malformed modified UTF-8")));
}

TEST_F(JvmStubTest, ReferencesDieWhenDeleted) {
  jclass type = env->FindClass("java/lang/String");
  jobjectArray empty = env->NewObjectArray(0, type, nullptr);
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(0, env->GetArrayLength(empty));
  EXPECT_EQ(nullptr, env->GetObjectArrayElement(empty, 0));
  EXPECT_TRUE(env->ExceptionCheck());
  env->ExceptionClear();
  env->DeleteLocalRef(type);
  env->DeleteLocalRef(type);
  EXPECT_THAT(Misuses(), ElementsAre(testing::StartsWith("DeleteLocalRef of a reference that is not a live")));
}

// The application's native methods are bound as the VM of this bitness binds them,
// and a 32-bit export that is not __stdcall is noticed: it leaves the arguments on
// the stack, which the real VM would not survive.
TEST_F(JvmStubTest, MainBindsNativeMethodsAndChecksTheirCallingConvention) {
  std::wstring fixture = stubrun::Wide(QUENDRA_BRIDGE_CONVENTIONS_DLL);
  HMODULE library = ::LoadLibraryW(fixture.c_str());
  ASSERT_NE(nullptr, library);
  jclass app = env->FindClass("app/Main");
  jmethodID main = env->GetStaticMethodID(app, "main", "([Ljava/lang/String;)V");
  jclass string = env->FindClass("java/lang/String");
  jobjectArray arguments = env->NewObjectArray(0, string, nullptr);
  env->CallStaticVoidMethod(app, main, arguments);
  std::vector<std::string> record = stubrun::ReadRecord(*directory);
  const std::string prefix = "Java_jdk_packager_services_userjvmoptions_LauncherUserJvmOptions__1";
  if (sizeof(void*) == 4) {
    EXPECT_THAT(stubrun::Lines(record, "bound "),
                ElementsAre("getUserJvmOptionDefaultKeys _" + prefix + "getUserJvmOptionDefaultKeys@8",
                            "getUserJvmOptionKeys _" + prefix + "getUserJvmOptionKeys@8"));
    EXPECT_THAT(stubrun::Lines(record, "misuse "),
                ElementsAre("native method getUserJvmOptionKeys left the stack -8 bytes off: not __stdcall"));
  } else {
    EXPECT_THAT(stubrun::Lines(record, "bound "),
                ElementsAre("getUserJvmOptionDefaultKeys " + prefix + "getUserJvmOptionDefaultKeys",
                            "getUserJvmOptionKeys " + prefix + "getUserJvmOptionKeys"));
    EXPECT_THAT(stubrun::Lines(record, "misuse "), IsEmpty());
  }
  EXPECT_THAT(stubrun::Lines(record, "bridge "),
              ElementsAre("getUserJvmOptionDefaultKeys -> null", "getUserJvmOptionKeys -> null"));
  env->DeleteLocalRef(arguments);
  env->DeleteLocalRef(string);
  env->DeleteLocalRef(app);
  ::FreeLibrary(library);
}

}  // namespace
